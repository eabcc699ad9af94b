#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "image/cmcTextLineReader.h"

namespace {

struct Piece {
  std::string text;
  bool continuation;
  bool operator==(const Piece&) const = default;
};

std::vector<Piece> Pieces(const std::string& content) {
  int fds[2];
  EXPECT_EQ(::pipe(fds), 0);
  // Small contents only: the pipe buffer holds them whole.
  EXPECT_EQ(::write(fds[1], content.data(), content.size()), static_cast<ssize_t>(content.size()));
  ::close(fds[1]);
  cmcTextLineReader reader(fds[0]);
  std::vector<Piece> pieces;
  std::string_view piece;
  while (reader.Next(piece)) pieces.push_back({std::string(piece), reader.IsContinuation()});
  EXPECT_FALSE(reader.Failed());
  ::close(fds[0]);
  return pieces;
}

TEST(cmcTextLineReader, PiecesAsALineBufferTakesThem) {
  const std::string longLine(800, 'a');
  const std::string exact(766, 'b');
  struct Case {
    const char* name;
    std::string content;
    std::vector<Piece> pieces;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"lf lines", "ab\n\ncd\n", {{"ab\n", false}, {"\n", false}, {"cd\n", false}}},
      {"crlf lines", "ab\r\n\r\ncd\r\n", {{"ab\n", false}, {"\n", false}, {"cd\n", false}}},
      {"lone cr stays", "a\rb\r", {{"a\rb\r", false}}},
      {"no final line end", "ab\ncd", {{"ab\n", false}, {"cd", false}}},
      {"long line in pieces",
       longLine + "\nz\n",
       {{std::string(767, 'a'), false}, {std::string(33, 'a') + "\n", true}, {"z\n", false}}},
      {"crlf right at the limit fits", exact + "\r\n", {{exact + "\n", false}}},
      {"crlf after a full piece", exact + "b\r\n", {{exact + "b", false}, {"\n", true}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Pieces(c.content), c.pieces) << c.name;
}

}  // namespace
