# Lays out the folders the program reads and writes beside the built program.
# Called as: cmake -DSOURCE=<runtime sources> -DTARGET=<program folder> -P PrepareRuntime.cmake
file(MAKE_DIRECTORY "${TARGET}/stat" "${TARGET}/pic" "${TARGET}/Data")
file(GLOB pictures "${SOURCE}/pic/*.gif")
foreach(picture IN LISTS pictures)
  file(COPY "${picture}" DESTINATION "${TARGET}/pic")
endforeach()
if(NOT EXISTS "${TARGET}/Data/Arvot.txt")
  file(COPY "${SOURCE}/Data/Arvot.txt" DESTINATION "${TARGET}/Data")
endif()
