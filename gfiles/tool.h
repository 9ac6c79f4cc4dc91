#pragma once
// The inspection tool's entry: start-up steps, command dispatch and the
// commands CHECKWAD, FCHECKWAD, CHECKWADS (CHECKWAD of many files in one
// run), MAPTITLES, LISTWAD, GETSAVEHDRS and FGETSAVEHDRS.

namespace krv::gfiles {

// Runs one command and returns the process exit code.
int runTool(int argc, char** argv);

} // namespace krv::gfiles
