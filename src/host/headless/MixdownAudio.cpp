#include "host/headless/MixdownAudio.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "host/Mixer.h"

namespace host {
namespace {

class MixdownDevice final : public Mixer {
 public:
  explicit MixdownDevice(MixdownAudio& owner) : owner_(owner) {
    SetBeforeBufferUse([this] { owner_.CatchUp(); });
  }
  ~MixdownDevice() override {
    owner_.CatchUp();
    owner_.DeviceClosed();
  }
  MixdownDevice(const MixdownDevice&) = delete;
  MixdownDevice& operator=(const MixdownDevice&) = delete;

 private:
  MixdownAudio& owner_;
};

}  // namespace

std::unique_ptr<AudioDevice> MixdownAudio::OpenDevice() {
  if (mixer_) return nullptr;
  CatchUp();  // silence until now
  auto device = std::make_unique<MixdownDevice>(*this);
  mixer_ = device.get();
  mixer_->SetMuted(muted_);
  return device;
}

void MixdownAudio::SetMuted(bool muted) {
  CatchUp();
  muted_ = muted;
  if (mixer_) mixer_->SetMuted(muted);
}

void MixdownAudio::CatchUp() {
  constexpr std::int64_t kFramesPer10Ms = Mixer::kRate / 100;
  const std::int64_t now = std::clamp<std::int64_t>(
      nowMs_(), 0, std::numeric_limits<std::int64_t>::max() / kFramesPer10Ms);
  const std::int64_t due = now * kFramesPer10Ms / 10;
  std::vector<std::int16_t> block;
  std::vector<char> bytes;
  while (written_ < due && out_) {
    const auto frames = static_cast<std::size_t>(std::min<std::int64_t>(4096, due - written_));
    block.assign(2 * frames, 0);
    if (mixer_) mixer_->Render(block);
    bytes.resize(2 * block.size());
    for (std::size_t i = 0; i < block.size(); ++i) {
      const auto v = static_cast<std::uint16_t>(block[i]);
      bytes[2 * i] = static_cast<char>(v & 0xFF);
      bytes[2 * i + 1] = static_cast<char>(v >> 8);
    }
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written_ += static_cast<std::int64_t>(frames);
  }
}

bool MixdownAudio::Flush() {
  CatchUp();
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace host
