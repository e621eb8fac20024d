// The "render" command: the drawing as the view shows it at "To fit", written as SVG.
#include <sstream>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "exchange/SvgSurface.h"
#include "view/DrawingPicture.h"

int RunRender(const CRenderOptions& options) {
    std::vector<int> layers;
    std::stringstream list(options.strLayers);
    for (std::string item; std::getline(list, item, ',');) {
        const int n = std::atoi(item.c_str());
        if (n < 1 || n > 6 || item.find_first_not_of(" 0123456789") != std::string::npos) {
            return CCliDocument::Fail("--layers wants layer numbers 1-6 separated by commas, e.g. 1,2");
        }
        layers.push_back(n);
    }
    CCliDocument document;
    if (!document.Open(options.strFile)) {
        return 1;
    }
    CSvgSurface svg(options.nWidth, options.nHeight);
    CDrawingPicture::Paint(document.GetDoc(), svg, layers);
    std::string error;
    if (!svg.Save(options.strSvg, error)) {
        return CCliDocument::Fail(error);
    }
    return 0;
}
