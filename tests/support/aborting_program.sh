#!/bin/sh
# Stands in for a program that dies at start, as a check's own check.
echo "zettelino: deliberate abort at start (stand-in)" >&2
kill -ABRT $$
