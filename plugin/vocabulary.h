#pragma once

struct VocabularyDescriptor;

// The script vocabulary "CmdOp" that the plug-in registers with the host. The host
// keeps the pointers it is given, so the descriptor lives as long as the library.
VocabularyDescriptor *cmdOpVocabulary();
