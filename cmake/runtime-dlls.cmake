# Locates the mingw runtime DLLs our modules link against and copies them into the output folder.
set(_runtime_dlls)
foreach(name libstdc++-6.dll libgcc_s_dw2-1.dll libgcc_s_seh-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE _dll OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${_dll}" AND EXISTS "${_dll}")
        list(APPEND _runtime_dlls ${_dll})
    endif()
endforeach()
find_file(_winpthread libwinpthread-1.dll
          PATHS /usr/${MINGW_TRIPLE}/lib /usr/${MINGW_TRIPLE}/bin NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
list(APPEND _runtime_dlls ${_winpthread})
list(LENGTH _runtime_dlls _count)
if(_count LESS 3)
    message(FATAL_ERROR "mingw runtime DLLs not found: ${_runtime_dlls}")
endif()
file(COPY ${_runtime_dlls} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
