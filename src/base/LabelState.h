#pragma once

#include <string>

namespace quillet {

// The program being assembled for the host, all text. Filled by the label interpreter,
// the 2D import and list files; turned into the host's field string.
struct LabelState {
    std::string ProgramName;
    std::string FieldCode = "N"; // a code of the code table, or "&", "P", "W" or empty
    std::string Comment;
    std::string DimX, DimY, DimZ;
    std::string HostValue164 = "1";
    std::string HostValue165 = "1";
    std::string HostValue280, HostValue282, HostValue283;
    std::string VarV;
    std::string VarA, VarB, VarC, VarD;
    std::string VarE, VarF, VarG, VarI;
    bool CodeChosen = false; // a field code was chosen explicitly for the next program
};

} // namespace quillet
