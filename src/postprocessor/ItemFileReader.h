// CItemFileReader: the item file grammar (command templates, their help and parameters).
#pragma once

class CDefinitionReader;
class CPreProcesor;

#include <string>

class CItemFileReader {
public:
    // Appends the templates of the file to the post-processor, stopping at a premature end.
    static void Read(CDefinitionReader& reader, CPreProcesor& target);

private:
    // One template from its name line; false when the file ended inside it.
    static bool ReadTemplate(CDefinitionReader& reader, CPreProcesor& target, const std::string& nameLine);
};
