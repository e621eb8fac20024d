// The kestrovel-cli commands: each returns the process exit code.
#pragma once

#include "cli/CliOptions.h"

int RunNew(const CNewOptions& options);
int RunDump(const CDumpOptions& options);
int RunAdd(const CAddOptions& options);
int RunProgram(const CProgramOptions& options);
int RunCommand(const CCommandOptions& options);
int RunCompile(const CCompileOptions& options);
int RunImportDxf(const CImportDxfOptions& options);
int RunExportDxf(const CExportDxfOptions& options);
int RunRender(const CRenderOptions& options);
int RunVerify(const CVerifyOptions& options);
int RunSimulate(const CSimulateOptions& options);
int RunTools(const CToolsOptions& options);
int RunReadNc(const CReadNcOptions& options);
