# Runs at install time, after the program folder is in place: the desktop entry and the launcher link, with
# the paths of the prefix given to cmake --install. DESTDIR only stages the files, so it never enters them.
set(kirvo_folder "${CMAKE_INSTALL_PREFIX}/${KIRVO_FOLDER_DIR}")
set(kirvo_stage "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# A desktop entry value is a string whose backslashes are doubled; Exec is a command line on top of that, so
# a path with blanks or shell characters is quoted there and "%" (a field code) is doubled.
function(kirvo_entry_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(kirvo_entry_command path out)
  set(arg "${path}")
  if(arg MATCHES "[^A-Za-z0-9_./+,:@-]")
    string(REPLACE "\\" "\\\\" arg "${arg}")
    string(REPLACE "\"" "\\\"" arg "${arg}")
    string(REPLACE "`" "\\`" arg "${arg}")
    string(REPLACE "$" "\\$" arg "${arg}")
    set(arg "\"${arg}\"")
  endif()
  string(REPLACE "%" "%%" arg "${arg}")
  kirvo_entry_string("${arg}" arg)
  set(${out} "${arg}" PARENT_SCOPE)
endfunction()

kirvo_entry_command("${kirvo_folder}/kirvo" KIRVO_EXEC)
kirvo_entry_string("${kirvo_folder}/kirvo" KIRVO_TRYEXEC)

set(kirvo_entry "${kirvo_stage}/share/applications/kirvo.desktop")
message(STATUS "Installing: ${kirvo_entry}")
configure_file("${KIRVO_DESKTOP_TEMPLATE}" "${kirvo_entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kirvo_entry}")

# The launcher is a link, so the program still finds its folder (the link's target) for its files.
set(kirvo_link "${kirvo_stage}/bin/kirvo")
message(STATUS "Installing: ${kirvo_link}")
file(MAKE_DIRECTORY "${kirvo_stage}/bin")
file(REMOVE "${kirvo_link}")
file(CREATE_LINK "../${KIRVO_FOLDER_DIR}/kirvo" "${kirvo_link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kirvo_link}")
