#include "base/LabelReset.h"

namespace quillet {

void ResetLabelState(LabelState& state) {
    state.ProgramName.clear();
    state.HostValue164 = "1";
    state.FieldCode = "N";
    state.HostValue280.clear();
    state.HostValue165 = "1";
    state.DimX.clear();
    state.DimY.clear();
    state.DimZ.clear();
    state.HostValue282.clear();
    state.VarV.clear();
    state.HostValue283.clear();
}

} // namespace quillet
