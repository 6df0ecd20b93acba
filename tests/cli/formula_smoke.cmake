# velmora-cli formula: the evaluator, the value of a formula for a draw, changing a formula of the
# settings and what the statistic list and the distribution then show.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_util.cmake)

cli(0 out formula eval "2*3^2")
expect_contains("${out}" "36\n")
cli(0 out formula eval "ARCSIN(1)")
expect_contains("${out}" "1.5707963267948966\n")
cli(1 out formula eval "(1+2")
expect_contains("${out}" "Не хватает скобочки")
cli(1 out formula eval "1/0")
expect_contains("${out}" "Деление на нуль")
cli(1 out --language 1033 formula eval "SQR 4")
expect_contains("${out}" "Syntax error")

# Draws with "," here: ";" separates the arguments of a cmake call.
cli(0 out formula value --digits 2 --draw "5,12,33,40,48" "(n1+n2+n3)/(n4+n5)")
expect_contains("${out}" "56\n")
cli(0 out formula value --digits 5 --draw "1 2 3 4 5" --prev "10,1,1,1,1" --third "5,1,1,1,1" "(n1+p1+t1)/64")
expect_contains("${out}" "25000\n")
cli(0 out formula value --digits 2 --draw "5,12,33,40,48" "n1/(n2-n2)")
expect_contains("${out}" "0\n")
cli(1 out formula value --digits 2 --draw "5,12,33,40" "n1")
cli(1 out formula value --digits 6 --draw "5,12,33,40,48" "n1")

# The three methods close the list of the default settings.
cli(0 out methods)
expect_contains("${out}" "\n219;SHR3;12;SNG;Метод шинковки 3: (n1+n2)/(n3+n4+n5)\n")
cli(0 out fullset SHR1)
expect_contains("${out}" "Значение;Количество\n0;16164\n")

# A new formula: the settings file, the caption and the distribution follow it.
cli(0 out formula set 1 "n1/8" --digits 3)
expect_contains("${out}" "Formula1=n1/8 (3)")
cli(0 out config)
expect_contains("${out}" "Formula1=n1/8 (3)")
cli(0 out methods)
expect_contains("${out}" "\n217;SHR1;12;SNG;Метод шинковки 1: n1/8\n")
cli(0 out fullset SHR1)
expect_contains("${out}" "Значение;Количество\n0;176526\n125;369222\n")
cli(1 out formula set 4 "n1")
