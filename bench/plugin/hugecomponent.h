#pragma once

#include "hostparameterlists.h"

// The worst component the host can hand the editor: one text of a megabyte in every one of
// its 28 parameters, but for those `normal` gives. The file name is a path that cannot be
// read; the other texts have the form of design variable names.
HostParameterLists::Parameters hugeComponent(const HostParameterLists::Parameters &normal = {});
