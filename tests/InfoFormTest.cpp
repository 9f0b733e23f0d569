#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "shell/InfoForm.h"

namespace {

struct InfoFormTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  std::vector<host::HeadlessRecord> records;
  shell::InfoForm form{host, game};

  InfoFormTest() {
    host.SetRecorder([this](const host::HeadlessRecord& r) { records.push_back(r); });
    form.Show();
    form.OnPaint();
  }

  void Click(int x, int y, int button = host::kLeftButton) {
    form.OnMouseMove({0, 0, x, y});
    form.OnMouseDown({button, 0, x, y});
    form.OnMouseUp({button, 0, x, y});
  }
  void ClickControl(const shell::Control& c, int button = host::kLeftButton) {
    Click(c.Left + c.Width / 2, c.Top + c.Height / 2, button);
  }
};

TEST_F(InfoFormTest, ALinkOpensOnlyForALeftPressAndReleaseOnIt) {
  ClickControl(form.EMailLink(), host::kRightButton);
  // Between the two links and below them nothing opens either.
  Click(4, form.WebLink().Top + 4);
  Click(100, form.WebLink().Top + form.WebLink().Height + 3);
  // A press that began elsewhere, on the other link or on the background, is no click.
  const shell::Label& mail = form.EMailLink();
  const shell::Label& web = form.WebLink();
  form.OnMouseDown({host::kLeftButton, 0, mail.Left + 100, mail.Top + 8});
  form.OnMouseUp({host::kLeftButton, 0, web.Left + 100, web.Top + 8});
  form.OnMouseDown({host::kLeftButton, 0, 4, 4});
  form.OnMouseUp({host::kLeftButton, 0, mail.Left + 100, mail.Top + 8});
  EXPECT_TRUE(records.empty());
  ClickControl(form.WebLink());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, shell::InfoForm::kWebAddress);
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Hand);
  form.OnMouseMove({0, 0, form.AboutLabel().Left + 100, form.AboutLabel().Top + 4});
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Default);
}

}  // namespace
