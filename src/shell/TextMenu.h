#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "host/Font.h"
#include "shell/Form.h"
#include "shell/OleColor.h"
#include "shell/PropertyBag.h"

namespace shell {

// A vertical list of one-line text items, like a column of hyperlinks. An item is a
// caption and a target; an item with a non-blank target is a link, drawn in the link
// colour and highlighted under the pointer; releasing a button on it raises ItemClicked
// (or, with UsesHTML, opens the target as an address). With the focus, Up and Down move
// the highlight from link to link and Enter or Space follows it; the pointer moving over
// the control takes the highlight back.
class TextMenu : public Control {
 public:
  explicit TextMenu(Form& host);

  const std::string& MenuItems() const { return menuItems_; }
  void SetMenuItems(const std::string& items);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor c);
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor c);
  OleColor LinkColor() const { return linkColor_; }
  void SetLinkColor(OleColor c);
  OleColor ALinkColor() const { return aLinkColor_; }
  void SetALinkColor(OleColor c);
  const host::FontSpec& Font() const { return font_; }
  void SetFont(const host::FontSpec& f);
  bool UsesHTML() const { return usesHtml_; }
  void SetUsesHTML(bool on) { usesHtml_ = on, Notify("UsesHTML"); }
  bool UnderlineLinks() const { return underlineLinks_; }
  void SetUnderlineLinks(bool on);
  bool IndentLinks() const { return indentLinks_; }
  void SetIndentLinks(bool on);

  // Raised for a link when UsesHTML is off: the item number (from 1) and its target as stored.
  std::function<void(std::int16_t item, const std::string& link)> ItemClicked;
  // Tells the host that a property changed.
  std::function<void(const std::string& property)> PropertyChanged;

  // A new control placed on a host without saved properties.
  void InitProperties(OleColor hostBack, OleColor hostFore);
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  std::int16_t HighlightedRow() const { return highlightedRow_; }
  int RowHeight() const;

  void Paint(host::Surface& canvas) override;
  void MouseMove(const host::MouseEvent& e) override;
  void MouseUp(const host::MouseEvent& e) override;
  void KeyDown(int keyCode, int shift) override;

 private:
  struct Item {
    std::string caption, target;
    bool IsLink() const;
  };
  Item ItemAt(int k) const;
  int ItemCount() const;
  int RowAt(int y) const;
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
  void DrawItem(int k, OleColor linkColour);
  // Paints row r's part of the control in the background colour.
  void ClearRow(int r);
  // Draws link `row` in the active colour, the highlighted row before it in its own.
  void Highlight(int row);
  // The next link from `row` on in direction `step` (+1 or -1), round the end; from row 0
  // the first or the last. 0 when there is none.
  int NextLink(int row, int step) const;
  // What a click on link `row` does: raise ItemClicked, or open its address.
  void Follow(int row);
  void RestoreRow();
  void ResetPointer();
  void Repaint();
  void Notify(const std::string& property);

  Form& host_;
  std::string menuItems_ = "|";
  OleColor foreColor_ = kSysButtonText;
  OleColor backColor_ = kSysButtonFace;
  OleColor linkColor_ = OleRgb(0, 0, 255);
  OleColor aLinkColor_ = OleRgb(255, 0, 0);
  host::FontSpec font_{"Arial", 9, true, false, false};
  bool usesHtml_ = true;
  bool underlineLinks_ = false;
  bool indentLinks_ = false;
  std::int16_t highlightedRow_ = 0;
  bool captured_ = false;
};

}  // namespace shell
