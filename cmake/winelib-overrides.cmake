# Read after CMake's platform files (CMakeGenericSystem resets the suffix to "").
set(CMAKE_EXECUTABLE_SUFFIX .exe)
