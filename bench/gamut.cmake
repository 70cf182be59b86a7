# Frames per second of the gamut view; run it under an X server with OpenGL:
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench_gamut [profile] [--compare profile] [--mark L,a,b]
#            [--seconds N] [--screenshot file.png]
add_executable(bench_gamut ${CMAKE_CURRENT_LIST_DIR}/bench_gamut.cpp)
target_link_libraries(bench_gamut PRIVATE kxwidgets)
