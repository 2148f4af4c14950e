#!/usr/bin/env bash
# The folders are layers: a file includes only files of its own folder or of a folder below it,
# only the Qt folders (widgets/, app/, print/qt/) and cli/ include print/qt/, and only the program's
# platform services (app/) include the print service of libcups, print/cups/.
set -euo pipefail
cd "$1"

# The disk knows nothing of the data-file format, and the format nothing of the disk: both stand
# on the record; a folder's applicants stand on both.
declare -A floor=([record]=1 [disk]=2 [datafile]=2 [input]=2 [barcode]=2 [applicants]=3 [print]=4
                  [form]=5 [widgets]=6 [app]=7 [cli]=7)
is_qt() { [[ $1 == widgets/* || $1 == app/* || $1 == print/qt/* || $1 == cli/* ]]; }

faults=0
while IFS= read -r file; do
    from=${file%%/*}
    while IFS= read -r included; do
        to=${included%%/*}
        [[ -n ${floor[$to]:-} ]] || continue
        if [[ $to != "$from" && ${floor[$to]} -ge ${floor[$from]} ]]; then
            echo "$file includes $included, which is not below it"
            faults=$((faults + 1))
        fi
        if [[ $included == print/qt/* ]] && ! is_qt "$file"; then
            echo "$file includes the Qt page output $included"
            faults=$((faults + 1))
        fi
        if [[ $included == print/cups/* && $file != app/* && $file != print/cups/* ]]; then
            echo "$file includes the print service of libcups $included"
            faults=$((faults + 1))
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files "${!floor[@]}" | grep -E '\.(h|cpp)$')

[ "$faults" -eq 0 ] && echo "every include runs down"
exit $((faults > 0))
