#!/usr/bin/env bash
# The editor's appearances drawn with cairo against the same appearances drawn with GDI and
# GDI+ by the DLL under wine: same size, few differing pixels away from text, text in the
# same places.
# Uses the linux and mingw trees and the wine environment that scripts/test-all.sh has set up.
# needs: linux mingw wine-display
#
# The limits guard what is reached today, not the goals of 5 % and 2 px: wine's GDI+ draws
# every shape aliased where cairo (like GDI+ on Windows) smooths them, which alone makes 5 to
# 5.5 % of the Vintage and Silver pixels differ; and wine centres small text by other advance
# widths than it draws it with, which moves a few short centred labels by 3 to 4 px.
set -euo pipefail
cd "$(dirname "$0")/../.."
exec scripts/compare-faces.sh --max-share 6 --max-shift 4
