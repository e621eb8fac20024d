// The tool's fields: tip positions by orientation and the checked setting of a field from text.
#include "tools/Tool.h"

#include <cmath>
#include <cstdlib>

namespace {

// A whole text as a finite number; blanks, trailing text and "nan"/"inf" are refused.
bool ParseNumber(const std::string& text, double& value) {
    if (text.empty() || text[0] == ' ' || text[0] == '\t') {
        return false;
    }
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

}  // namespace

CTipDirection CTool::TipDirection(int orientation) {
    // The convention of the common lathe controls' tool tables, in the part's Z (axial) and X
    // (radial) directions.
    switch (orientation) {
        case 1: return {1.0, -1.0};
        case 2: return {-1.0, -1.0};
        case 3: return {-1.0, 1.0};
        case 4: return {1.0, 1.0};
        case 5: return {1.0, 0.0};
        case 6: return {0.0, -1.0};
        case 7: return {-1.0, 0.0};
        case 8: return {0.0, 1.0};
        default: return {0.0, 0.0};
    }
}

bool CTool::Set(const std::string& key, const std::string& text, std::string& error) {
    double value = 0.0;
    if (key == "name") {
        if (text.empty() || text.find_first_of("\r\n") != std::string::npos) {
            error = "name: give a name on one line";
            return false;
        }
        strName = text;
        return true;
    }
    if (key == "shape") {
        if (text.size() != 1 || std::string("CDVWTSR").find(text[0]) == std::string::npos) {
            error = "shape: \"" + text + "\" is not one of C, D, V, W, T, S, R";
            return false;
        }
        cShape = text[0];
        return true;
    }
    if (key == "radius") {
        if (!ParseNumber(text, value) || value < 0.0 || value > 25.0) {
            error = "radius: \"" + text + "\" is not a nose radius from 0 to 25 mm";
            return false;
        }
        dNoseRadius = value;
        return true;
    }
    if (key == "orientation") {
        if (!ParseNumber(text, value) || value != std::floor(value) || value < 1.0 || value > 9.0) {
            error = "orientation: \"" + text + "\" is not a whole number from 1 to 9";
            return false;
        }
        nOrientation = static_cast<int>(value);
        return true;
    }
    if (key == "front" || key == "back") {
        if (!ParseNumber(text, value) || value < 0.0 || value > 360.0) {
            error = key + ": \"" + text + "\" is not an angle from 0 to 360 degrees";
            return false;
        }
        (key == "front" ? dFrontAngle : dBackAngle) = value;
        return true;
    }
    if (key == "hand") {
        if (text != "left" && text != "right" && text != "neutral") {
            error = "hand: \"" + text + "\" is not left, right or neutral";
            return false;
        }
        strHand = text;
        return true;
    }
    if (key == "kind") {
        if (text != "insert" && text != "blade" && text != "thread" && text != "drill") {
            error = "kind: \"" + text + "\" is not insert, blade, thread or drill";
            return false;
        }
        strKind = text;
        return true;
    }
    if (key == "width" || key == "diameter") {
        if (!ParseNumber(text, value) || !(value > 0.0) || value > 100.0) {
            error = key + ": \"" + text + "\" is not a " + (key == "width" ? "blade width" : "drill diameter") +
                    " greater than 0 and at most 100 mm";
            return false;
        }
        (key == "width" ? dWidth : dDiameter) = value;
        return true;
    }
    if (key == "included" || key == "point") {
        if (!ParseNumber(text, value) || !(value > 0.0) || !(value < 180.0)) {
            error = key + ": \"" + text + "\" is not an angle greater than 0 and less than 180 degrees";
            return false;
        }
        (key == "included" ? dIncludedAngle : dPointAngle) = value;
        return true;
    }
    error = key +
            ": no such key (name, shape, radius, orientation, front, back, hand, kind, width, included, "
            "diameter, point)";
    return false;
}
