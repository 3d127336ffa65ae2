# Winelib toolchain: ELF objects and .exe.so modules built by winegcc/wineg++ (Wine 8, Debian, 64-bit)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER   winegcc)
set(CMAKE_CXX_COMPILER wineg++)
# winegcc -o foo.exe writes foo.exe.so (the module) and foo.exe (a sh launcher); the suffix is
# set again after CMake's platform files, which reset it
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/winelib-overrides.cmake)
set(CMAKE_C_FLAGS_INIT   "-DNOMINMAX")
set(CMAKE_CXX_FLAGS_INIT "-DNOMINMAX")
# the ABI probe cannot read winegcc's NAME.exe.so output
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# find_package/find_library must look in Debian's multiarch folder
set(CMAKE_LIBRARY_ARCHITECTURE x86_64-linux-gnu)
# resource scripts: wrc writes a .res that winegcc links into the module
set(CMAKE_RC_COMPILER wrc)
set(CMAKE_RC_COMPILE_OBJECT "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -o <OBJECT> <SOURCE>")
