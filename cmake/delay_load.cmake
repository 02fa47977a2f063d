# Libraries the program needs only once the user asks for something (a dialog, a picture file, a
# sound): MinGW's delay-load import libraries make them load at the first call instead of before
# the first window. Each entry lists the functions called; a function missing here still links,
# through the ordinary import library, but then loads its library at start again. Where one
# cannot be loaded, the call fails (src/common/app.cpp): a function that returns an HRESULT must
# be named there too. COM is asked for once the windows show all the same, to name the panel's
# speed bars for assistive technology (src/common/accessible_name.cpp); without ole32 the bars
# go unnamed.
set(RUMONA_DELAY_LOADED
  "comdlg32.dll:GetOpenFileNameW"
  "shell32.dll:SHBrowseForFolderW SHGetFolderPathW SHGetPathFromIDListEx SHGetSpecialFolderLocation ShellExecuteA"
  "ole32.dll:CoCreateInstance CoInitializeEx CoTaskMemFree OleInitialize"
  "winmm.dll:sndPlaySoundA timeBeginPeriod timeEndPeriod")

# Makes the delay-load import libraries and sets `out` to them, followed by the helper they call.
function(rumona_delay_load_libraries out)
  set(libs)
  foreach(entry ${RUMONA_DELAY_LOADED})
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 dll)
    list(GET parts 1 functions)
    string(REPLACE " " "\n" functions "${functions}")
    get_filename_component(name ${dll} NAME_WE)
    set(def ${CMAKE_BINARY_DIR}/delay_load/${name}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay_load/lib${name}_delay.a)
    file(WRITE ${def}.new "LIBRARY ${dll}\nEXPORTS\n${functions}\n")
    file(COPY_FILE ${def}.new ${def} ONLY_IF_DIFFERENT)
    add_custom_command(OUTPUT ${lib} COMMAND ${CMAKE_DLLTOOL} -d ${def} -y ${lib} DEPENDS ${def}
                       COMMENT "delay-load import library of ${dll}" VERBATIM)
    list(APPEND libs ${lib})
  endforeach()
  add_custom_target(rumona_delay_load DEPENDS ${libs})
  set(${out} ${libs} delayimp PARENT_SCOPE)
endfunction()
