// zlib compression of a stream fed piece by piece, so that a full-page image
// is deflated row by row without first being copied whole into memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

// One zlib stream (header, deflate data, Adler-32 trailer) at zlib's default
// level: the same bytes compress2 makes of the concatenated input.
class DeflateStream {
 public:
  DeflateStream();
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  void append(std::string_view bytes);
  // Ends the stream and hands over the compressed bytes; the object is spent afterwards.
  std::string finish();

 private:
  struct State;
  void run(int flush);

  std::unique_ptr<State> state_;
  std::string output_;
};

// The zlib stream of bytes in one call.
std::string deflate_bytes(std::string_view bytes);
