# velmora-cli graph, sum-distribution, repeats and weekday end to end on a sample archive.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

function(expect_lines text count)
  string(REGEX MATCHALL "\n" breaks "${text}")
  list(LENGTH breaks n)
  if(NOT n EQUAL count)
    message(FATAL_ERROR "expected ${count} lines, got ${n}:\n${text}")
  endif()
endfunction()

# An empty archive: no points, a mean and a mode of 0; the sum distribution still lists every sum.
cli(0 out graph SUMS)
if(NOT out STREQUAL "Среднее значение\t0\nНаиболее часто встречающееся значение\t0\n")
  message(FATAL_ERROR "an empty archive plots nothing:\n${out}")
endif()
cli(0 out sum-distribution)
expect_lines("${out}" 229)
expect_contains("${out}" "\n15\t1\t0\n")
cli(0 out repeats)
expect_lines("${out}" 0)

cli(0 out sample-archive --draws 30 --seed 4)

# The graph: the last five draws oldest first, then the mean and the most frequent value.
cli(0 out graph SUMS --len 5)
expect_lines("${out}" 7)
string(REGEX MATCH "^26\t[0-9]+\n27\t[0-9]+\n28\t[0-9]+\n29\t[0-9]+\n30\t[0-9]+\nСреднее значение\t[0-9.]+\nНаиболее часто встречающееся значение\t[0-9]+\n$" m "${out}")
if(NOT m)
  message(FATAL_ERROR "graph lines:\n${out}")
endif()
cli(0 out graph SUMS --len 100 --offset 2)
expect_lines("${out}" 30)
string(REGEX MATCH "^1\t[0-9]+\n.*\n28\t[0-9]+\nСреднее" m "${out}")
if(NOT m)
  message(FATAL_ERROR "graph with an offset:\n${out}")
endif()
cli(1 out graph NUMS)
expect_contains("${out}" "Статистика NUMS не имеет графика")
cli(1 out graph SUMS --len 0)

# The sum distribution: the three ranges whatever the archive holds, then the 226 sums.
cli(0 out sum-distribution)
expect_lines("${out}" 229)
expect_contains("${out}" "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 80-175\n"
                         "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 90-165\n"
                         "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 99-156\n15\t1\t")
expect_contains("${out}" "\n127\t26476\t")
expect_contains("${out}" "\n240\t1\t")

# The repeats: S = 1 analyses the latest draw only.
cli(0 out repeats --len 1 --depth 29)
string(REGEX MATCH "^(30\t[1-5]\t[0-9]+\t[0-9 ]+\n)+$" m "${out}")
if(NOT m)
  message(FATAL_ERROR "repeats of the latest draw:\n${out}")
endif()
cli(0 out repeats --len 100 --depth 100)
expect_not_contains("${out}" "\n1\t")
cli(1 out repeats --depth 0)

# The weekdays: the sample draws are on Tuesdays and Fridays.
cli(0 out weekday)
expect_lines("${out}" 7)
string(REPEAT "\t0" 50 zeros)
expect_contains("${out}" "Пн${zeros}\n")
expect_contains("${out}" "Вс${zeros}\n")
string(REGEX MATCH "^Пн\t.*\nВт\t.*\nСр\t.*\nЧт\t.*\nПт\t.*\nСб\t.*\nВс\t.*\n$" m "${out}")
if(NOT m)
  message(FATAL_ERROR "weekday lines:\n${out}")
endif()
expect_not_contains("${out}" "Вт${zeros}\n")
cli(0 out weekday --len 1)
expect_contains("${out}" "Вт${zeros}\n")  # the latest sample draw (30) is on a Friday
