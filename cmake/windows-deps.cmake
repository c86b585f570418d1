# The Windows cross build's Qt and libdwarf, built from Debian's source packages by scripts/windows-qt into a cache
# folder outside the checkout. Their programs run under Wine with the Qt DLLs on WINEPATH.
set(LUMETRA_WINDOWS_DEPS "" CACHE PATH "Folder of the Windows build's Qt and libdwarf (made by scripts/windows-qt)")
if(NOT LUMETRA_WINDOWS_DEPS)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-deps-folder
    OUTPUT_VARIABLE deps_folder OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(LUMETRA_WINDOWS_DEPS ${deps_folder} CACHE PATH
    "Folder of the Windows build's Qt and libdwarf (made by scripts/windows-qt)" FORCE)
endif()
if(NOT EXISTS ${LUMETRA_WINDOWS_DEPS}/.complete)
  message(FATAL_ERROR "The Windows build's Qt and libdwarf are not built in ${LUMETRA_WINDOWS_DEPS}: run "
    "scripts/windows-qt first (about 35 minutes on 2 cores), or configure with -DLUMETRA_WITH_QT=OFF "
    "-DLUMETRA_WITH_LIBDWARF=OFF for the libraries without the desktop")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${LUMETRA_WINDOWS_DEPS})
list(APPEND CMAKE_PREFIX_PATH ${LUMETRA_WINDOWS_DEPS})
# Qt's build tools (moc, rcc, uic) are the machine's own, of the same Qt version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Wine finds the Qt DLLs on WINEPATH; Qt finds its plugins beside them (relocatable build).
string(REPLACE "/" "\\" LUMETRA_WINDOWS_DLL_PATH "Z:${LUMETRA_WINDOWS_DEPS}/bin")
