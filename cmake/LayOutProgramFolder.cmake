# Copies data/program over the build folder so a fresh build runs on the default library.
# Files the user changes at run time (settings live elsewhere; scratch and index are made at
# run time) are never shipped here, so copying over them is safe.
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(f ${files})
    get_filename_component(dir ${DEST}/${f} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${SOURCE}/${f} ${DEST}/${f} ONLY_IF_DIFFERENT)
endforeach()
# The agreement window shows the licence from the program folder.
if(EXISTS ${LICENSE})
    file(COPY_FILE ${LICENSE} ${DEST}/License.txt ONLY_IF_DIFFERENT)
endif()
