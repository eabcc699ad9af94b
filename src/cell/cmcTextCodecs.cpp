#include "cell/cmcTextCodecs.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "cell/cmcCellCapsule.h"
#include "cell/cmcCellGrid.h"
#include "cell/cmcCodecCommon.h"
#include "cell/cmcRadioText.h"
#include "overlay/cmcTextUtil.h"

namespace {

bool IsCommitted(cmcCellCapsule& request) {
  return cmcCodecCommon::ReadsTyped(request) || request.inputKind == cmcCellCapsule::kInputPopupAnswer;
}

// The key, with backspace taken as Enter (and space too when asked).
int32_t EnterAlias(int32_t key, bool spaceToo) {
  if (key == cmcCodecCommon::kKeyBackspace || (spaceToo && key == cmcCodecCommon::kKeySpace))
    return cmcCodecCommon::kKeyEnter;
  return key;
}

bool IsPlain(uint8_t b) { return b >= 32 && b <= 126; }

// Radio bytes into the field: padded with spaces (with 0 when zero-terminated), cut to
// the field, the dot cleared where the field never shows one.
void StoreRadioText(std::vector<uint8_t> bytes, std::span<uint8_t> field, bool zeroTerminated) {
  const int n = static_cast<int>(field.size());
  bytes.resize(field.size(), zeroTerminated ? 0 : ' ');
  for (int i = 0; i < n; ++i)
    if (!cmcRadioText::DotAllowed(i, n)) bytes[static_cast<size_t>(i)] &= static_cast<uint8_t>(~cmcRadioText::kDotBit);
  std::copy(bytes.begin(), bytes.end(), field.begin());
}

}  // namespace

bool cmcTextCodecs::RadioTextCodec(cmcCellCapsule& request, std::span<uint8_t> field,
                                   std::span<const uint8_t> userTable, bool zeroTerminated, uint8_t& result) {
  result = cmcCodecCommon::kResultDone;
  const int n = static_cast<int>(field.size());
  bool changed = false;
  if (IsCommitted(request)) {
    std::vector<uint8_t> bytes = cmcRadioText::EditableToRadioText(request.inputText);
    // Typed text is stored only as typed: what the radio cannot show, or more than the
    // field holds, is refused instead of being changed or cut. The segment text
    // window's answer is cut to the field, as the sheets do.
    const bool typed = cmcCodecCommon::ReadsTyped(request);
    const std::string unshowable = typed ? cmcRadioText::FirstUnshowable(request.inputText) : std::string();
    const bool tooLong =
        typed && (bytes.size() > field.size() || request.inputText.size() > cmcRadioText::kMaxConverted);
    if (!unshowable.empty())
      cmcCodecCommon::Refuse(
          request, "'" + unshowable + "' is not a character the radio can show; " + cmcRadioText::TypedTextReason(n));
    else if (tooLong)
      cmcCodecCommon::Refuse(request, cmcRadioText::TypedTextReason(n));
    changed = unshowable.empty() && !tooLong;
    if (changed) StoreRadioText(bytes, field, zeroTerminated);
  }

  std::span<const uint8_t> shown(field.begin(), std::find(field.begin(), field.end(), 0));
  if (!zeroTerminated)
    while (!shown.empty() && shown.back() == ' ') shown = shown.first(shown.size() - 1);
  if (request.canvas) {
    cmcRadioText::DrawRadioText(request, shown, n, n, 1, userTable);
    cmcCodecCommon::ShowText(request, "");
  } else {
    cmcCodecCommon::ShowText(request, cmcRadioText::RadioTextToEditable(shown));
  }

  if (!cmcCodecCommon::IsInteractiveKey(request)) return changed;
  const int32_t key = EnterAlias(request.keyCode, false);
  if (key == cmcCodecCommon::kKeyEnter) {
    request.grid->OpenSegmentText(request, shown, true, n, userTable);
    result = cmcCodecCommon::kResultPopup;
  } else if (cmcCodecCommon::IsPrintableKey(key)) {
    const uint8_t typed[] = {key == '.' ? cmcRadioText::kLoneDot : static_cast<uint8_t>(key)};
    request.grid->OpenSegmentText(request, typed, false, n, userTable);
    result = cmcCodecCommon::kResultPopup;
  }
  return changed;
}

bool cmcTextCodecs::UserCharacterCodec(cmcCellCapsule& request, std::span<uint8_t, 2> mask, uint8_t& result) {
  result = cmcCodecCommon::kResultDone;
  bool changed = false;
  if (IsCommitted(request)) {
    const std::string text = cmcTrim(request.inputText);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool number = error == std::errc() && end == text.data() + text.size() && value >= 0 && value <= 0xFFFF;
    if (!number) value = 0;
    // The editor's answer is always taken; a typed mask only when it is one.
    if (number || request.inputKind == cmcCellCapsule::kInputPopupAnswer) {
      mask[0] = static_cast<uint8_t>(value >> 8);
      mask[1] = static_cast<uint8_t>(value);
      changed = true;
    } else {
      cmcCodecCommon::Refuse(request, "user characters take their segment mask, a number from 0 to 65535");
    }
  }

  if (request.canvas) {
    const uint8_t firstUserCode[] = {16};
    cmcRadioText::DrawRadioText(request, firstUserCode, 1, 1, 1, mask);
  }
  cmcCodecCommon::ShowText(request, "");

  if (cmcCodecCommon::IsInteractiveKey(request) && request.keyCode == cmcCodecCommon::kKeyEnter) {
    request.grid->OpenCharacterEditor(request, kCharacterEditorKeyLabel, static_cast<uint16_t>(mask[0] << 8 | mask[1]));
    result = cmcCodecCommon::kResultPopup;
  }
  return changed;
}

bool cmcTextCodecs::PlainTextCodec(cmcCellCapsule& request, std::span<uint8_t> field, uint8_t& result) {
  result = cmcCodecCommon::kResultDone;
  bool changed = false;
  const bool refused =
      cmcCodecCommon::ReadsTyped(request) &&
      (request.inputText.size() > field.size() ||
       !std::all_of(request.inputText.begin(), request.inputText.end(), [](char c) { return IsPlain(c); }));
  if (refused)
    cmcCodecCommon::Refuse(
        request, "texts here take up to " + std::to_string(field.size()) + " ASCII letters, digits, blanks and signs");
  if (IsCommitted(request) && !refused) {
    const std::string& input = request.inputText;
    for (size_t i = 0; i < field.size(); ++i) {
      const uint8_t b = i < input.size() ? static_cast<uint8_t>(input[i]) : ' ';
      field[i] = IsPlain(b) ? b : ' ';
    }
    changed = true;
  }

  std::string text;
  for (const uint8_t b : field) text += static_cast<char>(IsPlain(b) ? b : ' ');
  text.erase(text.find_last_not_of(' ') + 1);
  cmcCodecCommon::ShowText(request, text);

  if (!cmcCodecCommon::IsInteractiveKey(request)) return changed;
  const int32_t key = EnterAlias(request.keyCode, true);
  if (key == cmcCodecCommon::kKeyEnter) {
    result = cmcCodecCommon::OpenEditorOnText(request);
  } else if (cmcCodecCommon::IsPrintableKey(key)) {
    result = cmcCodecCommon::OpenEditorOnKey(request);
  }
  return changed;
}

bool cmcTextCodecs::ClonePasswordCodec(cmcCellCapsule& request, std::span<const uint8_t> current,
                                       std::span<uint8_t> out, uint8_t& result) {
  result = cmcCodecCommon::kResultDone;
  cmcCodecCommon::ShowText(request, "");
  auto copyZeroPadded = [&out](std::span<const uint8_t> source) {
    const size_t n = std::min(source.size(), out.size());
    std::copy_n(source.begin(), n, out.begin());
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), 0);
  };
  copyZeroPadded(current);

  if (cmcCodecCommon::ReadsTyped(request)) {
    // Typed, as the password dialog takes it: up to 16 characters, not blanks only, or
    // nothing at all to remove the password.
    const std::string& typed = request.inputText;
    const bool blanksOnly = !typed.empty() && typed.find_first_not_of(' ') == std::string::npos;
    if (typed.size() > kMaxPasswordLength || blanksOnly ||
        !std::all_of(typed.begin(), typed.end(), [](char c) { return IsPlain(c); })) {
      cmcCodecCommon::Refuse(request, "clone passwords are up to 16 ASCII characters, not only blanks");
      return false;
    }
    copyZeroPadded(std::span(reinterpret_cast<const uint8_t*>(typed.data()), typed.size()));
    return true;
  }
  if (!cmcCodecCommon::IsInteractiveKey(request)) return false;
  const int32_t key = EnterAlias(request.keyCode, false);
  if (key != cmcCodecCommon::kKeyEnter && !cmcCodecCommon::IsPrintableKey(key)) return false;
  const auto end = std::find(current.begin(), current.begin() + std::min(current.size(), kMaxPasswordLength), 0);
  const std::optional<std::string> entered = request.grid->AskReadWritePassword(std::string(current.begin(), end));
  if (!entered) return false;
  const std::string password = entered->substr(0, kMaxPasswordLength);
  copyZeroPadded(std::span(reinterpret_cast<const uint8_t*>(password.data()), password.size()));
  return true;
}
