# SPDX-License-Identifier: GPL-3.0-or-later
# What the core reads of the windows' design files, their controls' sizes and
# which of them are hidden, as the header designs.h written into a folder.
set(BRIMWOLD_DESIGNS_DIR ${PROJECT_SOURCE_DIR}/screens CACHE PATH "The windows' design files and their reader")
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(brimwold_designs_header dir)
  file(GLOB designs CONFIGURE_DEPENDS ${BRIMWOLD_DESIGNS_DIR}/*.ui)
  add_custom_command(OUTPUT ${dir}/designs.h
    COMMAND Python3::Interpreter ${BRIMWOLD_DESIGNS_DIR}/designs.py header ${dir}/designs.h ${designs}
    DEPENDS ${BRIMWOLD_DESIGNS_DIR}/designs.py ${designs}
    COMMENT "Reading the windows' designs for the core"
    VERBATIM)
endfunction()
