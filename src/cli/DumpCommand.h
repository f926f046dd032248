#pragma once

#include "cli/ToolCommand.h"

class CQuilleryDoc;
class NameList;
class PhotoRecord;

// quillery-tool dump LIB.pdb [--find TEXT]: one JSON object per photo and line.
class DumpCommand : public ToolCommand {
public:
    std::string_view Name() const override { return "dump"; }
    std::string_view Arguments() const override { return "LIB.pdb [--find TEXT]"; }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

    static std::string PhotoLine(const CQuilleryDoc& catalog, const PhotoRecord& record);
};
