#pragma once

struct TvlValue;

// The functions of the "CmdOp" vocabulary. Each takes its arguments from the host's
// call in progress and answers null ("no value") whenever it cannot do its work; the two
// that answer the void value answer it on failure too. No exception leaves them: a failure
// that throws (memory running out) goes to the host's error report first.

// Shows a warning box: argument 0 is the title, argument 1 the message.
TvlValue *load_pull_show_message();
// Lets the load-pull data library drop what it caches.
TvlValue *load_pull_closeDataBasedLoadpullUI();
// Builds the editor from a component's parameter list.
TvlValue *load_pull_getAllTabWidgets();
// Reads the editor's widgets back as the component's parameter list.
TvlValue *load_pull_getDBLPState();
