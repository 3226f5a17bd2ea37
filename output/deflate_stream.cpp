#include "deflate_stream.h"

#include <zlib.h>

#include <new>
#include <stdexcept>

struct DeflateStream::State {
  z_stream zs{};
  bool finished = false;
  // deflate writes here; what it produced is moved to the output after each call.
  unsigned char chunk[64 * 1024];
};

DeflateStream::DeflateStream() : state_(std::make_unique<State>()) {
  int result = deflateInit(&state_->zs, Z_DEFAULT_COMPRESSION);
  if (result == Z_MEM_ERROR) throw std::bad_alloc();
  if (result != Z_OK) throw std::runtime_error("Cannot start zlib compression");
}

DeflateStream::~DeflateStream() { deflateEnd(&state_->zs); }

void DeflateStream::append(std::string_view bytes) {
  if (state_->finished) throw std::logic_error("DeflateStream used after finish");
  // zlib counts input in 32-bit units; very large pieces go in slices.
  constexpr std::size_t kMaxSlice = 1u << 30;
  while (!bytes.empty()) {
    std::string_view slice = bytes.substr(0, kMaxSlice);
    state_->zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(slice.data()));
    state_->zs.avail_in = static_cast<uInt>(slice.size());
    run(Z_NO_FLUSH);
    bytes.remove_prefix(slice.size());
  }
}

std::string DeflateStream::finish() {
  if (state_->finished) throw std::logic_error("DeflateStream finished twice");
  state_->zs.next_in = nullptr;
  state_->zs.avail_in = 0;
  run(Z_FINISH);
  state_->finished = true;
  return std::move(output_);
}

void DeflateStream::run(int flush) {
  z_stream& zs = state_->zs;
  for (;;) {
    zs.next_out = state_->chunk;
    zs.avail_out = sizeof state_->chunk;
    int result = deflate(&zs, flush);
    output_.append(reinterpret_cast<const char*>(state_->chunk), sizeof state_->chunk - zs.avail_out);
    if (result == Z_STREAM_END) return;
    if (result != Z_OK && result != Z_BUF_ERROR) throw std::runtime_error("zlib compression failed");
    // Without Z_FINISH, deflate is done once it has taken all input and left room unused.
    if (flush != Z_FINISH && zs.avail_in == 0 && zs.avail_out != 0) return;
  }
}

std::string deflate_bytes(std::string_view bytes) {
  DeflateStream stream;
  stream.append(bytes);
  return stream.finish();
}
