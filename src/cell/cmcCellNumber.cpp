#include "cell/cmcCellNumber.h"

bool ParseCellDecimal(std::string_view text, int32_t& value) {
  std::size_t i = 0;
  std::size_t end = text.size();
  while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end) return false;
  int64_t n = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > INT32_MAX + int64_t{1}) return false;
  }
  if (negative) n = -n;
  if (n < INT32_MIN || n > INT32_MAX) return false;
  value = static_cast<int32_t>(n);
  return true;
}
