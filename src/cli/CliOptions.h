// The options of each kestrovel-cli command, as the argument parser fills them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CNewOptions {
    std::string strFile;
    double dLengthMm = 900.0;
    double dBaseMm = 200.0;
    std::string strShape = "prism";
    std::string strUnits = "mm";
    int nAccuracy = 0;
    std::string strFromDxf;   // the part's drawing: stock from its size, then its profile into layer 1
    double dAllowanceMm = 0.0;
};

struct CDumpOptions {
    std::string strFile;
};

struct CAddOptions {
    std::string strFile;
    int nLayer = 1;  // the layer number as the layer bar shows it, 1...6
    std::string strKind;
    std::vector<int32_t> coordinates;
};

struct CProgramOptions {
    std::string strFile;
    std::string strName;
    int nNumber = -1;  // -1: the new program's own number
    std::string strPost;
    std::string strPostDir;
};

struct CCommandOptions {
    std::string strFile;
    std::string strProgram;
    std::string strTemplate;
    std::vector<std::string> fields;  // KEY=TEXT
    std::string strPostDir;
};

struct CCompileOptions {
    std::string strFile;
    std::string strProgram;
    std::string strPostDir;
    std::string strOutput;
};

struct CImportDxfOptions {
    std::string strFile;
    std::string strDxf;
    int nLayer = 1;
    std::vector<std::string> dxfLayers;
    std::string strUnits = "auto";
    std::string strOrigin;       // "X,Y" of the drawing in mm
    std::string strAxis = "auto";  // "auto" or "X1,Y1,X2,Y2" in drawing units
    std::string strWindow;       // "X1,Y1,X2,Y2" in drawing units
    bool bFlip = false;
    bool bListLayers = false;
};

struct CExportDxfOptions {
    std::string strFile;
    std::string strDxf;
    bool bMirrored = false;
};

struct CRenderOptions {
    std::string strFile;
    std::string strSvg;
    std::string strLayers;  // "1,2": the layers shown; empty: as the document shows them
    int nWidth = 1200;
    int nHeight = 600;
};

struct CVerifyOptions {
    std::string strFile;
    std::string strProgram;
    int nLayer = 0;  // 1...6; 0: the first layer the program walks
    double dToleranceMm = 0.01;
    std::string strPostDir;
    bool bJson = false;
};

struct CSimulateOptions {
    std::string strFile;
    std::string strProgram;
    int nLayer = 0;  // 1...6; 0: the first layer the program walks
    int nBoreLayer = 0;  // 1...6: the layer outlining a bore or centre hole from the axis; 0: none
    double dAllowanceMm = -1.0;  // below 0: not given (material left over is listed, never fails)
    double dToleranceMm = 0.001;
    std::string strPostDir;
    bool bJson = false;
};

struct CToolsOptions {
    std::string strPostDir;
    bool bJson = false;
    int nSet = 0;  // 0: list
    std::vector<std::string> fields;  // KEY=VALUE
};

struct CReadNcOptions {
    std::string strFile;
    bool bDiameter = false;
    bool bJson = false;
};
