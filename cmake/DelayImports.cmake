# Windows libraries that load when the program first calls into them, not
# before its entry: the loader maps every ordinary import, and each of their
# own imports, before WinMain runs, and the saver wants its window and device
# first. The delay-import library of each is made at configure time from the
# toolchain's import library (dlltool --output-delaylib); mingw-w64's
# __delayLoadHelper2 loads the library on the first call, through the hooks of
# platform/win32/DelayLoad.cpp (the system folder only; a missing library
# becomes the saver's own behaviour), which every program linking one of
# these libraries is made to take in place of the toolchain's empty ones.
#
# zembria_delay_import_libraries(OUT_VAR name...) gives, for each name
# (wininet for libwininet.a), an imported library to link in its place.
function(zembria_delay_import_libraries out)
  set(folder ${CMAKE_BINARY_DIR}/delay-imports)
  file(MAKE_DIRECTORY ${folder})
  set(libraries)
  foreach(name ${ARGN})
    find_library(ZEMBRIA_IMPORT_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
    set(import ${ZEMBRIA_IMPORT_${name}})
    execute_process(COMMAND ${CMAKE_DLLTOOL} --identify ${import}
                    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import}
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I __imp_[^\r\n]+" entries "${symbols}")
    list(TRANSFORM entries REPLACE " I __imp_" "")
    list(REMOVE_DUPLICATES entries)
    list(JOIN entries "\n" exports)
    set(def ${folder}/${name}.def)
    set(library ${folder}/lib${name}-delay.a)
    file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${library}
                    COMMAND_ERROR_IS_FATAL ANY)
    add_library(zembria_delay_${name} STATIC IMPORTED GLOBAL)
    set_target_properties(zembria_delay_${name} PROPERTIES IMPORTED_LOCATION ${library}
      INTERFACE_LINK_OPTIONS "LINKER:--require-defined=__pfnDliNotifyHook2;LINKER:--require-defined=__pfnDliFailureHook2")
    list(APPEND libraries zembria_delay_${name})
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
