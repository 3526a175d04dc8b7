# The .def files of what CHRONYX.dll exports and imports and the reference
# HOSTRUN.dll exports, made at configure time from the lists the sources read,
# so that a change to a list reaches the link without a second copy to edit.

# The rows of a list that match `pattern`; a change to the list configures
# again.
function(chx_list_rows list_file pattern out_var)
    file(STRINGS ${list_file} rows REGEX "${pattern}")
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                                 ${list_file})
    set(${out_var} "${rows}" PARENT_SCOPE)
endfunction()

# The rows "macro(result, name, ordinal, count, ..." of a list as .def lines
# of `format`, in which ${name}, ${ordinal} and ${bytes} (count times `scale`:
# what the 32-bit standard call takes off the stack) are filled in.
function(chx_ordinal_lines list_file macro scale format out_var)
    chx_list_rows(${list_file} "^${macro}\\(" rows)
    set(lines "")
    foreach(row IN LISTS rows)
        if(NOT row MATCHES
           "^${macro}\\([^,]+, *([A-Za-z_][A-Za-z0-9_]*), *([0-9]+), *([0-9]+),")
            message(FATAL_ERROR "${list_file}: cannot read the row ${row}")
        endif()
        set(name ${CMAKE_MATCH_1})
        set(ordinal ${CMAKE_MATCH_2})
        math(EXPR bytes "${CMAKE_MATCH_3} * ${scale}")
        string(CONFIGURE "${format}" line)
        string(APPEND lines "${line}\n")
    endforeach()
    set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

# The functions allowed from one Windows library, one name a line, from
# dll/resources/windows_imports.inc.
function(chx_windows_import_lines library out_var)
    chx_list_rows(${CHX_DLL_DIR}/resources/windows_imports.inc
                  "^CHX_WINDOWS_IMPORT\\(${library}, *" rows)
    set(lines "")
    foreach(row IN LISTS rows)
        string(REGEX REPLACE "^CHX_WINDOWS_IMPORT\\([A-Z0-9]+, *([A-Za-z_][A-Za-z0-9_]*)\\).*"
                             "\\1" name "${row}")
        string(APPEND lines "${name}\n")
    endforeach()
    set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

# The Windows libraries the list allows functions from, as link names
# (kernel32 ...); the C library's come through an import library of their own.
function(chx_windows_libraries out_var)
    chx_list_rows(${CHX_DLL_DIR}/resources/windows_imports.inc "^CHX_WINDOWS_IMPORT\\(" rows)
    set(libraries "")
    foreach(row IN LISTS rows)
        string(REGEX REPLACE "^CHX_WINDOWS_IMPORT\\(([A-Z0-9]+),.*" "\\1" library "${row}")
        string(TOLOWER ${library} library)
        if(NOT library STREQUAL "msvcrt")
            list(APPEND libraries ${library})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES libraries)
    set(${out_var} ${libraries} PARENT_SCOPE)
endfunction()

# Fills a .def template's @VARIABLES@ into the build folder; answers the
# file's path, with the stdcall decorations taken out on x64.
function(chx_def_from_template template out_var)
    get_filename_component(name ${template} NAME_WLE)
    configure_file(${template} ${CMAKE_BINARY_DIR}/generated/${name} @ONLY)
    chx_def_for_target(${CMAKE_BINARY_DIR}/generated/${name} def)
    set(${out_var} ${def} PARENT_SCOPE)
endfunction()

# The entry points count their arguments, each one 32-bit stack slot; the
# host operations give their bytes.
chx_ordinal_lines(${PROJECT_SOURCE_DIR}/contract/entry_point_list.inc "CHX_[A-Z]+_ENTRY" 4
                  [=[${name} = ${name}@${bytes} @${ordinal}]=] CHX_ENTRY_POINT_EXPORTS)
set(CHX_HOST_OPERATION_LIST ${PROJECT_SOURCE_DIR}/contract/host_operation_list.inc)
chx_ordinal_lines(${CHX_HOST_OPERATION_LIST} CHX_HOST_OPERATION 1
                  [=[${name}@${bytes} @${ordinal} NONAME]=] CHX_HOST_OPERATION_IMPORTS)
chx_ordinal_lines(${CHX_HOST_OPERATION_LIST} CHX_HOST_OPERATION 1
                  [=[${name}@${bytes} @${ordinal}]=] CHX_HOST_OPERATION_EXPORTS)
chx_windows_import_lines(MSVCRT CHX_MSVCRT_IMPORTS)
chx_windows_libraries(CHX_WINDOWS_LIBRARIES)
