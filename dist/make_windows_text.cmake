# Writes a text file as the Windows machines it ships to read it: code page
# 932 with CR LF line ends, from the UTF-8, LF-ended source in the repository.
#   cmake -DSOURCE=in -DOUTPUT=out -P make_windows_text.cmake
find_program(ICONV iconv REQUIRED)
execute_process(
    COMMAND ${ICONV} -f UTF-8 -t CP932 ${SOURCE}
    OUTPUT_VARIABLE text
    ERROR_VARIABLE problem
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${SOURCE} cannot be written in code page 932: ${problem}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
