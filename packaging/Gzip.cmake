# Run by the build: gzip -9n (no name, no time stamp: the same input gives the
# same bytes).   cmake -DIN=file -DOUT=file.gz -P Gzip.cmake
execute_process(COMMAND gzip -9n -c "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${IN}")
endif()
