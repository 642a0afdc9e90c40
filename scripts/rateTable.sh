#!/usr/bin/env bash
# The same timed input drawn at 20, 30, 60 and 144 frames a second, on a tree from before the fixed
# clock and on this one: Meadow's highest flight and score, Iron Park's finish and score, Gully
# Pipe's highest flight, as a table. By hand only (half a minute; builds as feelTable.sh does).
#   scripts/rateTable.sh OLD_TREE [loaded|bare]
set -euo pipefail
old=${1:?usage: scripts/rateTable.sh OLD_TREE [loaded|bare]}
rider=${2:-bare}
here=$(cd "$(dirname "$0")/.." && pwd)
rates="20 30 60 144"
declare -A cell
for fps in $rates; do
    while read -r track seq who age rest; do
        [ "$age" = old ] || [ "$age" = new ] || continue
        cell[$track.$age.$fps]=$rest
    done < <("$here/scripts/feelTable.sh" "$old" "$fps" | awk -v r="$rider" '
        $2 == "autopilot" && $3 == r { t = $1; print t, $2, $3, $4, substr($0, index($0, "finish")); getline;
                                       print t, "autopilot", r, $1, substr($0, index($0, "finish")) }')
done
field() { echo "$1" | awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }'; }
printf '| Autopilot (%s), drawn at | %s |\n|---|%s\n' "$rider" "$(echo $rates | sed 's/ / fps | /g') fps" \
    "$(for r in $rates; do printf -- '---|'; done)"
for age in old new; do
    row() { printf '| %s %s |' "$1" "$age"; for fps in $rates; do printf ' %s |' "$($2 "${cell[$3.$age.$fps]}")"; done; echo; }
    meadow() { echo "$(field "$1" highest) / $(field "$1" score)"; }
    iron() { echo "$(field "$1" finish) s / $(field "$1" score)"; }
    gully() { field "$1" highest; }
    row "Meadow: highest flight / score," meadow meadow
    row "Iron Park: finish / score," iron ironpark
    row "Gully Pipe: highest flight," gully gullypipe
done
