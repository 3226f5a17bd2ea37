// Long real texts, as users paste them: a Czech note whose accented letters
// take two bytes each, so that it holds fewer letters than bytes.
#pragma once

#include <string>

// The first letters of a Czech note said over and over (4,260 bytes for
// 3,626 letters).
inline std::string czech_note(std::size_t letters = 3626) {
  const std::string sentence =
      "Dodání regálů do skladu v Brně, montáž v pátek od 8 hodin. "
      "Zákazník žádá dodání regálů do skladu v Brně, přízemí vlevo. ";
  std::string text;
  for (std::size_t taken = 0; taken < letters;) {
    for (std::size_t i = 0; i < sentence.size() && taken < letters; ++taken) {
      const std::size_t bytes = static_cast<unsigned char>(sentence[i]) < 0x80 ? 1 : 2;
      text += sentence.substr(i, bytes);
      i += bytes;
    }
  }
  return text;
}
