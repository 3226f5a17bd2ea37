#include "model/state/state_fields.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "layout_fixture.h"
#include "model/base/file_io.h"
#include "model/files/preferences.h"
#include "model/layout/undo_history.h"
#include "support/temp_dir.h"

namespace {

// Another value of a field, for changing one field at a time.
void change(int& v) { v += 7; }
void change(std::uint8_t& v) { v ^= 1; }
void change(bool& v) { v = !v; }
void change(double& v) { v += 1.5; }
void change(std::string& v) { v += "x"; }
void change(Tmodulo_agg& v) { v.length += 1; }
void change(Tcorvane& v) { v.depth += 1; }
template <class T, std::size_t N>
void change(std::array<T, N>& v) {
  change(v[0]);
}

Tvar_amb with_changed(Tvar_amb state, const StateField& field) {
  std::visit([&](auto member) { change(state.*member); }, field.member);
  return state;
}

class StateFields : public CellTest {
 protected:
  std::string preferences_file(const Tvar_amb& state) const {
    write_preferences_file(dir.file("preferenze.dat"), state, Company);
    return read_scrambled_file(dir.file("preferenze.dat"));
  }
  TempDir dir;
};

}  // namespace

// Each field changed on its own after the last step: a step back keeps it when
// it is a preference (or the file the project is saved in) and restores it
// otherwise, and every setting the preferences file stores is kept.
TEST_F(StateFields, UndoKeepsExactlyThePreferences) {
  const Tvar_amb before = AppState;
  push_undo_snapshot();
  push_undo_snapshot();
  for (const StateField& field : state_fields()) {
    SCOPED_TRACE(field.name);
    const Tvar_amb changed = with_changed(before, field);
    ASSERT_NE(changed, before);
    AppState = changed;
    step_undo_history(-1);
    Tvar_amb expected = kept_by_undo(field.role) ? changed : before;
    expected.modified = 1;
    EXPECT_EQ(AppState, expected);
    const bool stored = preferences_file(changed) != preferences_file(before);
    EXPECT_TRUE(!stored || field.role == StateRole::preference) << "stored with the preferences";
    step_undo_history(1);
  }
}
