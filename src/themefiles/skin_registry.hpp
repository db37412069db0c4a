#pragma once
// The classes a skin file may name for its objects, in registration order.
#include <string>
#include <vector>

#include "framework/classes.hpp"

namespace kiv {

// Registered when the unit starts, in the order of the class table: the base
// object first, then every drawing class. Each is also in the framework's
// class registry, for component streams that name it.
const std::vector<TClass>& SkinObjectClasses();
void RegisterSkinObjectClass(const TClassInfo& cls);

// The class of that exact name; failing that, for names longer than three
// characters, the class named with the second and third characters replaced
// by "Lq" (files from older libraries name "TXySkinObject"). Nil for none.
TClass FindSkinObjectClass(const std::string& name);

}  // namespace kiv
