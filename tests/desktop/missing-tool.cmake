# SPDX-License-Identifier: GPL-3.0-or-later
# Stands in for a validator that was not found when the build was configured,
# so the test fails with a reason instead of being left out.
message(FATAL_ERROR
    "${TOOL} was not found. Install the package ${PACKAGE} and configure the build again.")
