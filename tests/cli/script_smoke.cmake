# velmora-cli script run and script test on a fresh data folder: the stakes printed and appended,
# the same seed giving the same stakes, the execution log, and the messages of a failing line.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

cli(0 out sample-archive --draws 30 --seed 5)
# Generation from ten numbers only (252 combinations) keeps the runs short.
file(WRITE ${WORK}/Velmora_5x50.ini "[GLOBAL]\r\nCombsGenerateMode=2\r\nCombsGenerateParameters=1;2;3;4;5;6;7;8;9;10\r\n")
file(WRITE ${WORK}/a.lsc "FULL:0#RAND| | | | | | | |plain\r\n\r\nFULL:0#FIRST|TMF1#NUMS:10;20#CMV:1#SF:0| | | | | | |f\r\n")

cli(0 out script test ${WORK}/a.lsc --count 2 --seed 7 --log)
expect_contains("${out}" "29\t")
expect_contains("${out}" "30\t")
expect_contains("${out}" "01.000: plain @ FULL#RAND\n")
expect_contains("${out}" "03.002: f @ FULL#FIRST + TMF#NUMS:20#CMV:1#SF:0\n")
expect_contains("${out}" "Ставок: 6\n")
file(GLOB logs ${WORK}/ScriptLog_*.txt)
list(LENGTH logs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one execution log, found ${n}")
endif()
# The stakes are in the stake file and checked (their draws are in the archive).
cli(0 stakes stakes list)
expect_contains("${stakes}" "29\tСценарий\t")
expect_not_contains("${stakes}" "\t-1\t")

# The same seed repeats the random choice; a forecast stakes the next draw.
cli(0 first script run ${WORK}/a.lsc --seed 3)
cli(0 again script run ${WORK}/a.lsc --seed 3)
expect_contains("${first}" "31\t")
if(NOT first STREQUAL again)
  message(FATAL_ERROR "the same seed gave different stakes:\n${first}\n${again}")
endif()
cli(0 out script run ${WORK}/a.lsc --offset 5 --seed 3)
expect_contains("${out}" "26\t")

# A failing line prints the message and fails; nothing is staked by it.
file(WRITE ${WORK}/bad.lsc "FULL:0#RAND|TSF1#NUMS:#LMV:3#SF:0| | | | | | |\r\n")
cli(1 out script run ${WORK}/bad.lsc)
expect_contains("${out}" "Некорректное описание фильтра: TSF1#NUMS:#LMV:3#SF:0!")
expect_contains("${out}" "Ставок: 0")
file(WRITE ${WORK}/unknown.lsc "FULL:0#RAND|TSF1#QQQQ:10#LMV:3#SF:0| | | | | | |\r\n")
cli(1 out script run ${WORK}/unknown.lsc)
expect_contains("${out}" "Метод расчета статистики \"QQQQ\" не найден!")
file(WRITE ${WORK}/stop.lsc "FULL:0#STOP| | | | | | | |\r\n")
cli(1 out script run ${WORK}/stop.lsc)
expect_contains("${out}" "их осталось более одной: 252!")
cli(1 out script test ${WORK}/a.lsc)
expect_contains("${out}" "--count")
cli(1 out script test ${WORK}/a.lsc --count 30)
