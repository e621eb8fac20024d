// The importer's reading of an ezdxf test drawing, and the pieces the tests expect of it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "EzdxfFiles.h"
#include "exchange/DxfImport.h"

inline CImportPiece Line(int32_t z1, int32_t x1, int32_t z2, int32_t x2) {
    return {false, {z1, x1}, {z2, x2}, {}};
}

// Imports a test drawing; fails the test when it cannot be read.
inline CImportResult Import(const std::string& name, CDxfImportOptions options = {}) {
    CImportResult result;
    std::string error;
    EXPECT_TRUE(CDxfImport().LoadFile(ezdxf::File(name), options, result, error)) << error;
    return result;
}
