#!/usr/bin/env bash
# End-to-end test of isolmar-cli: every published puzzle solved to its published solution, a
# conversion round trip, and the exit codes of bad input.
set -u
cli=$1
cartella=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falliti=0
fallito() { echo "FALLITO: $*"; falliti=$((falliti + 1)); }

for txt in "$cartella"/*.txt; do
    nome=$(basename "$txt" .txt)
    atteso=$(head -n1 "$txt" | cut -d, -f1 | tr -d '\r')
    for f in "$txt" "$cartella/$nome.xml"; do
        out=$("$cli" solve --count 2 "$f") || { fallito "$f: uscita $?"; continue; }
        # The grid: the lines after the file name up to "soluzioni:"; '#' wall, the rest island.
        visto=$(printf '%s\n' "$out" | sed -n '2,/^soluzioni:/p' | sed '$d' | tr -d '\n' |
                sed 's/#/0/g; s/[^0]/1/g')
        [ "$visto" = "$atteso" ] || fallito "$f: soluzione diversa"
        printf '%s\n' "$out" | grep -qx 'soluzioni: 1' || fallito "$f: non unica"
    done
done

# Conversion: XML -> text -> XML gives back the same file.
"$cli" convert "$cartella/janko-0052.xml" "$tmp/a.txt" || fallito "convert xml->txt"
"$cli" convert "$tmp/a.txt" "$tmp/b.xml" || fallito "convert txt->xml"
"$cli" solve --json "$tmp/b.xml" | grep -q '"solutions":1' || fallito "json"

# Bad input: exit 2 with the reason; no solution: exit 1.
printf 'non è uno schema\n' > "$tmp/x.txt"
"$cli" solve "$tmp/x.txt" 2> "$tmp/err" >/dev/null
[ $? -eq 2 ] && grep -q "File inesistente o dati errati" "$tmp/err" || fallito "input non valido"
"$cli" solve --count 99 "$tmp/b.xml" >/dev/null 2>&1
[ $? -eq 2 ] || fallito "--count fuori limite"
"$cli" convert "$tmp/x.txt" "$tmp/y.xml" 2>/dev/null
[ $? -eq 2 ] && [ ! -e "$tmp/y.xml" ] || fallito "convert di un input non valido"

# A time limit stops a search that takes seconds (a hard puzzle the deductions decide little
# of): exit 3, the reason, "interrupted" in JSON; the other files of the same run are still
# solved.
"$cli" solve --max-seconds 1 --json "$cartella/../difficili/janko-0962.xml" "$cartella/janko-0052.xml" \
    > "$tmp/limite.json" 2> "$tmp/err"
[ $? -eq 3 ] && grep -q "Ricerca interrotta" "$tmp/err" || fallito "--max-seconds"
grep -q '"interrupted":true' "$tmp/limite.json" && grep -q '"solutions":1,.*"interrupted":false' \
    "$tmp/limite.json" || fallito "--max-seconds: json"
"$cli" --help | grep -q "generate" || fallito "--help senza generate"

# Batch generation: reproducible with a seed, the same with two jobs, every puzzle unique.
"$cli" generate --rows 7 --columns 7 --count 12 --seed 5 --out "$tmp/g1" >/dev/null 2>&1 || fallito "generate"
"$cli" generate --rows 7 --columns 7 --count 12 --seed 5 --out "$tmp/g2" --jobs 2 --format xml \
    --json > "$tmp/g.json" 2>/dev/null || fallito "generate --jobs 2"
diff -r "$tmp/g1" "$tmp/g2" >/dev/null || fallito "generate non riproducibile"
[ "$(grep -c '"islands":' "$tmp/g.json")" -eq 12 ] || fallito "generate --json"
[ "$("$cli" solve --count 2 "$tmp"/g1/*.xml | grep -c '^soluzioni: 1$')" -eq 12 ] || fallito "generati non unici"
printf '<REGOLA>\nDIR=%s\nROW=6\nCOL=6\nSCHEMI=2\nISOLAMAX=3\nMODOFILE=TXT\n' "$tmp/r" > "$tmp/regole.ini"
"$cli" generate --rules "$tmp/regole.ini" >/dev/null 2>&1 || fallito "generate --rules"
[ "$(ls "$tmp"/r/*.txt | wc -l)" -eq 2 ] || fallito "generate --rules: file"
"$cli" generate --rows 60 --columns 5 >/dev/null 2>&1
[ $? -eq 2 ] || fallito "generate fuori limite"

# Sizes, rules and files that cannot make a batch: a message each, exit 2, never a hang.
timeout 60 "$cli" generate --rows 2 --columns 2 --out "$tmp/g22" 2> "$tmp/err" >/dev/null
[ $? -eq 2 ] && grep -q "2 x 2 con una sola soluzione" "$tmp/err" || fallito "generate 2x2"
"$cli" generate --rows 60 --columns 5 2>&1 | grep -q -- "--rows 60 (da 2 a 50)" ||
    fallito "Errore limiti senza il valore"
: > "$tmp/vuoto.ini"
printf 'DIR=x\n' > "$tmp/senza.ini"
printf '<REGOLA>\nROW=300\n' > "$tmp/mie.ini"
for caso in "$tmp:cartella" "$tmp/vuoto.ini:vuoto" "$tmp/senza.ini:nessuna regola" \
            "$tmp/mie.ini:mie.ini, riga 2"; do
    "$cli" generate --rules "${caso%%:*}" > /dev/null 2> "$tmp/err"
    [ $? -eq 2 ] && grep -q "${caso#*:}" "$tmp/err" || fallito "generate --rules ${caso#*:}"
done
"$cli" generate --rules "$tmp/regole.ini" --rows 5 >/dev/null 2>&1
[ $? -eq 2 ] || fallito "generate --rules con --rows"
"$cli" generate --rows 5 --columns 5 --count 2 --jobs 5000 --seed 1 --out "$tmp/gj" >/dev/null 2>&1 ||
    fallito "generate --jobs 5000"

# A puzzle without a known solution stays without one through text -> XML -> text.
head -n1 "$cartella/janko-0052.txt" | sed 's/^[^,]*//' > "$tmp/senza.txt"
tail -n +2 "$cartella/janko-0052.txt" >> "$tmp/senza.txt"
"$cli" convert "$tmp/senza.txt" "$tmp/senza.xml" && "$cli" convert "$tmp/senza.xml" "$tmp/senza2.txt" ||
    fallito "convert senza soluzione"
[ "$(head -c1 "$tmp/senza2.txt")" = "," ] || fallito "convert: una soluzione inventata"
# A file far larger than any puzzle is refused with its reason, without reading it.
head -c 2000000 /dev/zero > "$tmp/grande.xml"
"$cli" solve "$tmp/grande.xml" 2> "$tmp/err" >/dev/null
[ $? -eq 2 ] && grep -q "troppo grande" "$tmp/err" || fallito "file troppo grande"

# Rating and explanation: levels, exit statuses, the steps in JSON.
"$cli" rate --full --json "$cartella/janko-0469.xml" | grep -q '"level":4,"full":true,"complete":true' ||
    fallito "rate --full"
"$cli" rate "$cartella/janko-0469.xml" | grep -q "livello: 3 o superiore"
[ $? -eq 0 ] || fallito "rate: 3 o superiore"
"$cli" rate "$cartella/janko-0469.xml" >/dev/null; [ $? -eq 1 ] || fallito "rate: uscita 1"
"$cli" explain --json "$cartella/janko-0107.xml" | grep -q '"steps":\[{"code":"NRG"' ||
    fallito "explain --json"
"$cli" explain "$tmp/x.txt" >/dev/null 2>&1; [ $? -eq 2 ] || fallito "explain: input non valido"

[ $falliti -eq 0 ] && echo "isolmar-cli: tutto bene"
exit $falliti
