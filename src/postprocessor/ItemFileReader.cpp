// Reading the item file: "BeginItem" blocks up to "EndDefItems".
#include "postprocessor/ItemFileReader.h"

#include <memory>

#include "postprocessor/DefinitionReader.h"
#include "postprocessor/PreProcesor.h"

void CItemFileReader::Read(CDefinitionReader& reader, CPreProcesor& target) {
    if (!reader.ScanTo("BeginItem")) {
        return;
    }
    std::string line;
    if (!reader.NextSignificant(line, "EndDefItems")) {
        return;
    }
    while (line != "EndDefItems") {
        if (!ReadTemplate(reader, target, line)) {
            return;
        }
        // The rest of the block is skipped up to the next item or the end of the list.
        const int which = reader.ScanToEither("EndDefItems", "BeginItem");
        if (which != 1 || !reader.NextSignificant(line, "EndDefItems")) {
            return;
        }
    }
}

bool CItemFileReader::ReadTemplate(CDefinitionReader& reader, CPreProcesor& target, const std::string& nameLine) {
    const std::string name = CDefinitionReader::FromColumn(nameLine, 9);
    std::string line;
    if (!reader.NextSignificant(line, "EndHelp")) {
        return false;
    }
    const std::string macro = line.size() > 6 ? CDefinitionReader::FromColumn(line, 7) : std::string();
    if (!reader.NextSignificant(line, "EndHelp") || !reader.NextSignificant(line, "EndHelp")) {
        return false;
    }
    std::string help;
    while (line != "EndHelp") {
        help += line;
        if (!reader.NextLine(line, "EndHelp")) {
            return false;
        }
    }
    auto command = std::make_unique<CCommand>(name, macro, help);
    command->SetIndex(static_cast<int>(target.GetTemplates().size()));
    CCommand& added = *command;
    target.AddTemplate(std::move(command));
    if (!reader.NextLine(line, "End")) {
        return false;
    }
    while (line != "End") {
        if (auto parameter = CParameter::FromDefinition(line)) {
            added.AddParameter(std::move(parameter));
        }
        if (!reader.NextLine(line, "End")) {
            return false;
        }
    }
    return true;
}
