# The shipped 32-bit program (i686) or the tested 64-bit one (x86_64).
set(OW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
