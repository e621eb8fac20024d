// Identifiers of the CNC programming window's controls (form, command list and run-time panel).
#pragma once

enum : int {
    IDC_PROG_SELECT = 1001,       // drop list: the document's programs
    IDC_PROG_NAME = 1004,         // edit: program name
    IDC_PROG_NUMBER = 1062,       // edit: program number
    IDC_PROG_NUMBER_SPIN = 1063,  // up-down attached to 1062; its text is the position
    IDC_PROG_POST = 1060,         // drop list: post-processor names
    IDC_PROG_TEMPLATES = 1061,    // list: command templates of the bound post-processor
    IDC_PROG_ADD = 1023,          // "Add Command"
    IDC_PROG_INSERT = 1025,       // "Insert Command"
    IDC_NOTE_SHOW = 1026,         // "Edit"
    IDC_NOTE_SAVE = 1024,         // "Save"
    IDC_PROG_COMMANDS = 10310,    // list: the active program's commands
    IDC_EDIT_COMMAND = 10410,     // "Edit Command"
    IDC_DELETE_COMMAND = 10510,   // "Delete Command"
    IDC_COMPILE_PROGRAM = 10818,  // "Compile Program"
    IDC_SAVE_REEDITED = 10610,    // "Save Reedited Command" (created at run time)
};

// Range of the program number's up-down control.
constexpr int kProgramNumberMin = 0;
constexpr int kProgramNumberMax = 10000;
