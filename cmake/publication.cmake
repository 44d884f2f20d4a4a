# The release's date, the same on every build of a commit, so that the zip and the
# manual page come out byte for byte the same: SOURCE_DATE_EPOCH where the
# builder sets it (dpkg-buildpackage does, from debian/changelog), otherwise the
# date of debian/changelog's newest entry. Sets CARDIO_EPOQUE (seconds since
# 1970, UTC) and CARDIO_DATE (YYYY-MM-DD), and SOURCE_DATE_EPOCH for the rest of
# the configuration.

function(cardio_epoque_du_changelog sortie)
  file(STRINGS "${PROJECT_SOURCE_DIR}/debian/changelog" signature REGEX "^ -- " LIMIT_COUNT 1)
  # " -- Name <address>  Tue, 08 Dec 2026 21:40:00 +0000"
  if(NOT signature MATCHES
     ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([-+])([0-9][0-9])([0-9][0-9])$")
    message(FATAL_ERROR "debian/changelog: no date in its newest entry's trailer line")
  endif()
  set(j ${CMAKE_MATCH_1})
  set(mois Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND mois ${CMAKE_MATCH_2} m)
  math(EXPR m "${m} + 1")
  set(a ${CMAKE_MATCH_3})
  math(EXPR secondes "${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6}")
  math(EXPR decalage "${CMAKE_MATCH_7}(${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")
  # Days since 1970-01-01 in the proleptic Gregorian calendar, years counted from
  # March so that the leap day comes last.
  if(m LESS_EQUAL 2)
    math(EXPR a "${a} - 1")
    math(EXPR m "${m} + 9")
  else()
    math(EXPR m "${m} - 3")
  endif()
  math(EXPR jours "${a} * 365 + ${a} / 4 - ${a} / 100 + ${a} / 400 + (153 * ${m} + 2) / 5 + ${j} - 1 - 719468")
  math(EXPR epoque "${jours} * 86400 + ${secondes} - ${decalage}")
  set(${sortie} ${epoque} PARENT_SCOPE)
endfunction()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(CARDIO_EPOQUE "$ENV{SOURCE_DATE_EPOCH}")
else()
  cardio_epoque_du_changelog(CARDIO_EPOQUE)
  set(ENV{SOURCE_DATE_EPOCH} "${CARDIO_EPOQUE}")
endif()
string(TIMESTAMP CARDIO_DATE "%Y-%m-%d" UTC)
