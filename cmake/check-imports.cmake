# Fails when EXE imports a library that the menu loads only when first needed (see
# src/win32/library_win.h): an import would make every start pay for loading it again.
# Usage: cmake -DOBJDUMP=... -DEXE=... -P check-imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${EXE}")
endif()
string(TOLOWER "${headers}" headers)
foreach(library shell32 winmm version)
    if(headers MATCHES "dll name: ${library}\\.dll")
        message(FATAL_ERROR "${EXE} imports ${library}.dll, which it should load when first used")
    endif()
endforeach()
