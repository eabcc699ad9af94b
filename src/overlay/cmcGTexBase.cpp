#include "overlay/cmcGTexBase.h"

#include "runtime/cmcFatal.h"

namespace {

// Keys found at list positions 0 to this one stay where they are.
constexpr int kLastStayingPosition = 10;

constexpr std::string_view kEndKey = "End_Of_Ovl";

// The text of a line up to its line end (or an embedded NUL, where a C string stops).
std::string_view Content(std::string_view line) {
  line = line.substr(0, line.find('\n'));
  return line.substr(0, line.find('\0'));
}

}  // namespace

void cmcGTexBase::Fail(std::string_view key) {
  cmcFatal("GTEX Error !\nThe index '" + std::string(key) + "' was not found.");
}

void cmcGTexBase::ResetToFile(const std::string& path) {
  file_.Close();
  lines_ = {};
  open_ = false;
  pos_ = 0;
  scanPos_ = 0;
  scanActive_ = true;
  firstByName_.clear();
  keys_.clear();
  cache_.Clear();
  counters_ = {};
  kind_ = Kind::kFile;
  fileName_ = path;
}

void cmcGTexBase::UseLines(std::span<const std::string> lines) {
  kind_ = Kind::kLines;
  lines_ = lines;
}

std::vector<std::string> cmcGTexBase::KeyOrder() const {
  std::vector<std::string> names;
  names.reserve(keys_.size());
  for (const KeyEntry& e : keys_) names.push_back(e.name);
  return names;
}

std::string cmcGTexBase::GetLine(std::string_view key, int n) {
  KeyEntry* entry = FindKey(key);
  if (entry == nullptr || !open_) Fail(key);
  int line = 0;
  pos_ = entry->start;
  if (n >= entry->cursorLine) {
    line = entry->cursorLine;
    pos_ = entry->cursorPos;
  }
  for (; line < n; ++line) {
    if (!ReadCached(line_)) Fail(key);
  }
  if (!ReadCached(line_)) Fail(key);
  entry->cursorLine = n + 1;
  entry->cursorPos = pos_;
  return std::string(Content(line_));
}

bool cmcGTexBase::Open() {
  pos_ = 0;
  if (kind_ == Kind::kFile) open_ = file_.Open(fileName_);
  if (kind_ == Kind::kLines) open_ = true;
  return open_;
}

cmcGTexBase::KeyEntry* cmcGTexBase::FindKey(std::string_view key) {
  if (const auto it = firstByName_.find(key); it != firstByName_.end()) {
    const KeyList::iterator node = it->second;
    int position = 0;
    for (auto walk = keys_.begin(); walk != node && position <= kLastStayingPosition; ++walk) ++position;
    if (position > kLastStayingPosition) keys_.splice(keys_.begin(), keys_, node);
    return &*node;
  }
  while (scanActive_) {
    KeyEntry* added = ScanOneLine();
    if (added != nullptr && added->name == key) return added;
  }
  return nullptr;
}

cmcGTexBase::KeyEntry* cmcGTexBase::ScanOneLine() {
  if (!open_ && !Open()) {
    scanActive_ = false;
    return nullptr;
  }
  pos_ = scanPos_;
  if (!ReadSource(line_)) {
    scanActive_ = false;
    return nullptr;
  }
  scanPos_ = pos_;
  const std::string_view text = Content(line_);
  if (text.size() < 2 || text[0] != '#') return nullptr;
  const std::string_view name = text.substr(1);
  keys_.push_back(KeyEntry{std::string(name), pos_, 0, pos_});
  firstByName_.try_emplace(keys_.back().name, std::prev(keys_.end()));
  if (name == kEndKey) scanActive_ = false;
  return &keys_.back();
}

bool cmcGTexBase::ReadSource(std::string& line) {
  if (kind_ == Kind::kLines) {
    if (pos_ < 0 || static_cast<std::size_t>(pos_) >= lines_.size()) return false;
    const std::string& s = lines_[static_cast<std::size_t>(pos_)];
    line.assign(s, 0, kMaxLineBytes);
    if (s.size() < kMaxLineBytes) line.push_back('\n');
    ++pos_;
  } else {
    if (!file_.Seek(pos_) || !file_.ReadLine(line, kMaxLineBytes)) return false;
    pos_ = file_.Tell();
  }
  ++counters_.sourceReads;
  return true;
}

bool cmcGTexBase::ReadCached(std::string& line) {
  ++counters_.lineReads;
  if (kind_ != Kind::kFile) return ReadSource(line);
  if (const cmcLineCache::Entry* hit = cache_.Find(pos_)) {
    line = hit->text;
    pos_ += hit->length;
    return true;
  }
  const std::int64_t start = pos_;
  if (!ReadSource(line)) return false;
  cache_.Add(start, pos_ - start, line);
  return true;
}
