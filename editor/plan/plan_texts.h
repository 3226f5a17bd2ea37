// The texts the plan view writes: lengths in millimetres or feet and inches,
// bay size texts, clearance texts and the useful-surface status text. Numbers
// follow the user's locale.
#pragma once

#include <QString>

#include "model/base/records.h"

// A wall or dimension length: fixed with the chosen decimals, or feet and inches.
QString plan_length_text(double mm, const Tvar_amb& state);
// A clearance: like a length, but inch mode divides by the state's unit factor.
QString plan_clearance_text(double value, const Tvar_amb& state);
// "length x height" of a bay or free module.
QString plan_size_text(double length, double height, const Tvar_amb& state);
// "Sup.Ut.: <m2> mq" when the product switch is on, else the empty text.
QString useful_surface_text(double square_metres, const Tvar_amb& state);
