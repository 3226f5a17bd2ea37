#include "gfx3d/persistence/binary_filers.h"

#include <cmath>
#include <string>
#include <utility>

#include "archive_bytes.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/archive_encodings.h"
#include "gfx3d_fixture.h"

namespace {

using BinaryFilers = Gfx3DTest;

template <typename Write>
std::string Written(Write write) {
  TStringStream stream;
  TBinaryWriter writer(stream);
  write(writer);
  return stream.DataString();
}

TEST_F(BinaryFilers, IntegersTakeTheSmallestForm) {
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(-128); }), Bytes({2, 0x80}));
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(127); }), Bytes({2, 0x7F}));
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(128); }), Bytes({3, 0x80, 0}));
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(-32768); }), Bytes({3, 0, 0x80}));
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(32768); }), Bytes({4, 0, 0x80, 0, 0}));
  EXPECT_EQ(Written([](auto& w) { w.WriteInteger(-129); }), Bytes({3, 0x7F, 0xFF}));
}

TEST_F(BinaryFilers, StringsBooleansListsAndFloats) {
  EXPECT_EQ(Written([](auto& w) { w.WriteString(""); }), Bytes({6, 0}));
  EXPECT_EQ(Written([](auto& w) { w.WriteString(std::string(255, 'a')); }), Bytes({6, 0xFF}) + std::string(255, 'a'));
  EXPECT_EQ(Written([](auto& w) { w.WriteString(std::string(256, 'b')); }),
            Bytes({12, 0, 1, 0, 0}) + std::string(256, 'b'));
  EXPECT_EQ(Written([](auto& w) {
              w.WriteBoolean(false);
              w.WriteBoolean(true);
              w.WriteListStart();
              w.WriteListStop();
            }),
            Bytes({8, 9, 1, 0}));
  EXPECT_EQ(Written([](auto& w) { w.WriteFloat(1.0L); }), Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(Written([](auto& w) { w.WriteFloat(-2.5L); }), Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
}

TEST_F(BinaryFilers, EveryValueReadsBack) {
  TStringStream stream;
  TBinaryWriter writer(stream);
  for (int v : {0, -1, 127, -128, 128, 40000, -2147483647 - 1, 2147483647}) writer.WriteInteger(v);
  writer.WriteString("caf\xC3\xA9");
  writer.WriteString(std::string(300, 'x'));
  writer.WriteBoolean(true);
  writer.WriteFloat(3.14159265358979323846L);
  writer.WriteListStart();
  writer.WriteListStop();
  stream.SetPosition(0);
  TBinaryReader reader(stream);
  for (int v : {0, -1, 127, -128, 128, 40000, -2147483647 - 1, 2147483647}) EXPECT_EQ(reader.ReadInteger(), v);
  EXPECT_EQ(reader.ReadString(), "caf\xC3\xA9");
  EXPECT_EQ(reader.ReadString(), std::string(300, 'x'));
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_EQ(reader.ReadFloat(), 3.14159265358979323846L);
  EXPECT_EQ(reader.PeekValueType(), vaList);
  reader.ReadListStart();
  EXPECT_TRUE(reader.AtListEnd());
  reader.ReadListStop();
  EXPECT_EQ(stream.Remaining(), 0u);
}

TEST_F(BinaryFilers, ExtendedValuesSurviveTheTenByteForm) {
  for (Extended v : {0.0L, -0.0L, 1e-4940L, 1e4930L, -123.456L, static_cast<Extended>(EpsilonTiny)}) {
    const Extended back = DecodeExtended(EncodeExtended(v));
    EXPECT_EQ(back, v);
    EXPECT_EQ(std::signbit(back), std::signbit(v));
  }
  EXPECT_TRUE(std::isinf(DecodeExtended(EncodeExtended(-INFINITY))));
  EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(NAN))));
}

TEST_F(BinaryFilers, WideAndUtf8StringsAreReadAsUtf8) {
  TStringStream loneSurrogate(Bytes({18, 2, 0, 0, 0, 0xE9, 0x00, 0x3D, 0xD8}));
  EXPECT_EQ(TBinaryReader(loneSurrogate).ReadString(), "\xC3\xA9\xEF\xBF\xBD");
  TStringStream pair(Bytes({18, 3, 0, 0, 0, 0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE}));
  EXPECT_EQ(TBinaryReader(pair).ReadString(), "\xC3\xA9\xF0\x9F\x98\x80");
  TStringStream utf8(Bytes({20, 2, 0, 0, 0, 0xC3, 0xA9}));
  EXPECT_EQ(TBinaryReader(utf8).ReadString(), "\xC3\xA9");
}

TEST_F(BinaryFilers, Utf8ToWideStringFollowsTheTable) {
  EXPECT_EQ(Utf8ToWideString(""), u"");
  EXPECT_EQ(Utf8ToWideString("A\xC3\xA9\xE2\x82\xAC"), u"A\u00E9\u20AC");
  EXPECT_EQ(Utf8ToWideString("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToWideString("ab\xE2\x82"), u"ab");  // cut short at the end
  EXPECT_EQ(Utf8ToWideString("\xF8\x88\x80\x80\x80"), u"\uFFFD");
  EXPECT_EQ(WideStringToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST_F(BinaryFilers, AWrongTagIsAReadTypeErrorNamingTheReader) {
  TStringStream stream(Bytes({9}));
  TBinaryReader reader(stream);
  try {
    reader.ReadInteger();
    FAIL() << "no error";
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(), "TBinaryReader, read type error");
  }
  for (auto read : {+[](TBinaryReader& r) { r.ReadBoolean(); }, +[](TBinaryReader& r) { r.ReadString(); },
                    +[](TBinaryReader& r) { r.ReadFloat(); }, +[](TBinaryReader& r) { r.ReadListStart(); },
                    +[](TBinaryReader& r) { r.ReadListStop(); }}) {
    TStringStream bad(Bytes({4, 1, 0, 0, 0}));
    TBinaryReader badReader(bad);
    EXPECT_THROW(read(badReader), EReadError);
  }
}

TEST_F(BinaryFilers, TruncatedAndOversizedValuesRaiseReadErrors) {
  using Read = void (*)(TBinaryReader&);
  const Read integer = [](TBinaryReader& r) { r.ReadInteger(); };
  const Read text = [](TBinaryReader& r) { r.ReadString(); };
  const Read extended = [](TBinaryReader& r) { r.ReadFloat(); };
  const std::pair<std::string, Read> cases[] = {
      {Bytes({}), integer},
      {Bytes({3, 1}), integer},
      {Bytes({4, 1, 2, 3}), integer},
      {Bytes({5, 1, 2, 3}), extended},
      {Bytes({6, 5, 'a', 'b'}), text},
      {Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), text},
      {Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF}), text},
      {Bytes({18, 0xFF, 0xFF, 0xFF, 0x7F}), text},  // 2^31 code units: twice the length in bytes
      {Bytes({20, 9, 0, 0, 0, 'a'}), text},
  };
  for (const auto& [bytes, read] : cases) {
    TStringStream stream(bytes);
    TBinaryReader reader(stream);
    EXPECT_THROW(read(reader), EReadError) << testing::PrintToString(bytes);
  }
}

}  // namespace
