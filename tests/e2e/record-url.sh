#!/bin/sh
# Stands in for the browser and the mail program: Wine's shell hands it the
# address it was asked to open, and it writes that down for the tests.
printf '%s\n' "$*" >> "${QUILL_URL_LOG:?}"
