// The element kinds a layer record can hold, created from their kind tags.
#pragma once

#include <memory>
#include <string>

class CPiece;

// A new empty element for the kind tag of a layer's element record, or null for a tag that
// names no element kind a layer holds.
std::unique_ptr<CPiece> CreatePieceForTag(const std::string& tag);
