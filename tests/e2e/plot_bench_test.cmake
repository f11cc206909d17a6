# tools/plot_bench.py run as a user runs it: a small CSV of two searches over three buckets
# makes a 1200 x 500 PNG; a CSV without the columns it needs, or without rows, is refused
# with one line and exit status 1, and no picture.
#   cmake -DSCRIPT=tools/plot_bench.py -DWORK=FOLDER -P plot_bench_test.cmake
# Without matplotlib the figure cannot be drawn: the test says so and is skipped, not failed.
# The interpreter the script names in its first line.
execute_process(COMMAND /usr/bin/python3 -c "import matplotlib" RESULT_VARIABLE missing
                OUTPUT_QUIET ERROR_QUIET)
if(NOT missing EQUAL 0)
  message("SKIPPED: matplotlib not installed (apt-get install python3-matplotlib)")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(header "problem,bucket,search,listed,length,closed,us\n")
file(WRITE "${WORK}/good.csv" "${header}"
     "1,0,A*,1.5,1.5,3,2.5\n1,0,first-sight A*,1.5,1.5,10,4.0\n"
     "2,1,A*,5.0,5.0,12,6.0\n2,1,first-sight A*,5.0,,40,9.0\n"
     "3,2,A*,9.0,9.0,30,12.0\n3,2,first-sight A*,9.0,9.0,0,19.0\n")
execute_process(COMMAND "${SCRIPT}" "${WORK}/good.csv" "${WORK}/good.png" --title "two searches"
                RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "a good CSV: exit status ${status}: ${said}")
endif()
# The PNG signature, then the first chunk's width and height: 1200 x 500.
file(READ "${WORK}/good.png" start LIMIT 24 HEX)
if(NOT start MATCHES "^89504e470d0a1a0a.*000004b0000001f4$")
  message(FATAL_ERROR "good.png is no 1200 x 500 PNG: it starts ${start}")
endif()

function(expect_refusal name text expected)
  file(WRITE "${WORK}/${name}.csv" "${text}")
  execute_process(COMMAND "${SCRIPT}" "${WORK}/${name}.csv" "${WORK}/${name}.png"
                  RESULT_VARIABLE status ERROR_VARIABLE said)
  string(REPLACE "${WORK}/" "" said "${said}")
  if(NOT status EQUAL 1 OR NOT said STREQUAL "${expected}\n" OR EXISTS "${WORK}/${name}.png")
    message(FATAL_ERROR "${name}.csv: exit status ${status}, said: ${said}")
  endif()
endfunction()
set(needs "(it needs bucket, search, closed, us)")
expect_refusal(columns "problem,bucket,search,listed,length\n1,0,A*,1.5,1.5\n"
               "plot_bench.py: columns.csv:1: the header has no column closed or us ${needs}")
expect_refusal(empty "${header}" "plot_bench.py: empty.csv: no rows after the header")
expect_refusal(bad "${header}1,0,A*,1.5,1.5,many,2\n"
               "plot_bench.py: bad.csv:2: closed 'many' is not a whole number of 0 or more")
