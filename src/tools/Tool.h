// CTool: one tool of the library: a turning insert (shape, nose radius, tip orientation, edge
// angles), a grooving or parting blade, a threading insert or a drill.
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

    // What the tool is: "insert" (a turning insert, as above), "blade" (grooving and parting: the
    // radius is its corners', the orientation names the corner that is the programmed point),
    // "thread" (a V of the included angle whose tip, rounded by the radius, points the way the
    // orientation's tip lies) or "drill" (on the axis, cutting the way the orientation's tip lies
    // in Z; -Z unless that is +Z).
    std::string strKind = "insert";
    double dWidth = 3.0;           // mm, a blade's width along Z
    double dIncludedAngle = 60.0;  // degrees, a threading insert's V
    double dDiameter = 5.0;        // mm, a drill's
    double dPointAngle = 118.0;    // degrees, a drill's point

    bool IsInsert() const { return strKind == "insert"; }

    // Where the imaginary tip point lies from the nose centre for the orientation (9: the centre).
    static CTipDirection TipDirection(int orientation);

    // Sets one field from its key (name, shape, radius, orientation, front, back, hand, kind,
    // width, included, diameter, point) and its text; false with the reason when the key is
    // unknown or the text is no valid value for it.
    bool Set(const std::string& key, const std::string& text, std::string& error);
};
