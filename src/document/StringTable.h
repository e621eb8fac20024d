// The application's resource strings by id.
#pragma once

#include <string>

// The text of a string resource; empty for an unknown id.
std::string LoadResourceString(int id);
