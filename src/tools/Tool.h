// CTool: one turning tool of the library: insert shape, nose radius, tip orientation, edge angles.
#pragma once

#include <string>

struct CTipDirection {
    double dZ = 0.0;  // in nose radii, from the nose centre to the imaginary tip point
    double dX = 0.0;
};

struct CTool {
    int nNumber = 0;
    std::string strName;
    char cShape = 'D';           // ISO letter: C, D, V, W, T, S or R
    double dNoseRadius = 0.4;    // mm
    int nOrientation = 3;        // 1...9, the position of the imaginary tip around the nose
    double dFrontAngle = 93.0;   // degrees from +Z to the front cutting edge
    double dBackAngle = 152.0;   // degrees from +Z to the back cutting edge
    std::string strHand = "right";  // left, right or neutral

    // Where the imaginary tip point lies from the nose centre for the orientation (9: the centre).
    static CTipDirection TipDirection(int orientation);

    // Sets one field from its key (name, shape, radius, orientation, front, back, hand) and its
    // text; false with the reason when the key is unknown or the text is no valid value for it.
    bool Set(const std::string& key, const std::string& text, std::string& error);
};
