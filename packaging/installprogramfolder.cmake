# Installs the build's program folder into share/wykazki: every file beside
# the executables, in its subfolder, except the programs themselves (ELF
# files), so that whatever the build adds there is installed without a list
# to keep up to date. WYKAZKI_PROGRAM_FOLDER and WYKAZKI_DATA_DIR are set by
# the install rule before this runs.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${WYKAZKI_PROGRAM_FOLDER}"
     "${WYKAZKI_PROGRAM_FOLDER}/*")
set(installed 0)
foreach(file IN LISTS files)
    set(path "${WYKAZKI_PROGRAM_FOLDER}/${file}")
    file(READ "${path}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        continue()
    endif()
    get_filename_component(subfolder "${file}" DIRECTORY)
    file(INSTALL "${path}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${WYKAZKI_DATA_DIR}/${subfolder}"
         PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    math(EXPR installed "${installed} + 1")
endforeach()
if(installed EQUAL 0)
    message(FATAL_ERROR "The program folder ${WYKAZKI_PROGRAM_FOLDER} holds no files: build first.")
endif()
