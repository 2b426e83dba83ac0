#!/usr/bin/env bash
# End-to-end test of isolmar-cli: every published puzzle solved to its published solution,
# conversion round trips, links, and the exit codes of bad input.
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

# Links and pzprv3 files: the public encoder's sample link back from its file, a link solved in
# place of a file, .pzpr there and back, a refused link with its reason.
campione="https://puzz.link/p?nurikabe/5/5/g5k2o1k3g"
[ "$("$cli" url "$cartella/puzzlink-5x5-g5k2o1k3g.xml")" = "$campione" ] || fallito "url"
"$cli" solve --count=2 "$campione" | grep -qx 'soluzioni: 1' || fallito "solve di un link"
"$cli" convert "$cartella/janko-0052.xml" "$tmp/a.pzpr" && "$cli" convert "$tmp/a.pzpr" "$tmp/c.xml" &&
    [ "$("$cli" url "$tmp/c.xml")" = "$("$cli" url "$cartella/janko-0052.xml")" ] || fallito "convert .pzpr"
"$cli" solve "https://puzz.link/p?nurikabe/2/1/a1" 2> "$tmp/err" >/dev/null
[ $? -eq 2 ] && grep -q "numero 10 non ammesso" "$tmp/err" || fallito "link non valido"
# --version and every command's help.
"$cli" --version | grep -q "^isolmar-cli [0-9]" || fallito "--version"
for c in solve convert url generate rate explain image booklet; do
    "$cli" $c --help | grep -q "^Uso: isolmar-cli $c" || fallito "$c --help"
done

# Generating at a level: every kept puzzle rates exactly L and is unique; 1 and 2 jobs agree.
for L in 1 2; do
    for j in 1 2; do
        "$cli" generate --rows 8 --columns 8 --count 3 --seed 11 --level $L --jobs $j \
            --out "$tmp/l$L-$j" > "$tmp/l.out" 2>/dev/null || fallito "generate --level $L --jobs $j"
    done
    diff -r "$tmp/l$L-1" "$tmp/l$L-2" >/dev/null || fallito "generate --level $L non riproducibile"
    grep -q "livello $L candidati [1-9]" "$tmp/l.out" || fallito "generate --level $L: candidati"
    [ "$("$cli" rate --full "$tmp/l$L-1"/*.xml | grep -c "^livello: $L$")" -eq 3 ] ||
        fallito "generate --level $L: livello"
    [ "$("$cli" solve --count 2 "$tmp/l$L-1"/*.xml | grep -c '^soluzioni: 1$')" -eq 3 ] ||
        fallito "generate --level $L: non unici"
done
"$cli" generate --rows 4 --columns 4 --level 3 --max-seconds 1 --out "$tmp/l4" 2> "$tmp/err" >/dev/null
[ $? -eq 3 ] && grep -q "Livello 3 non raggiunto" "$tmp/err" || fallito "generate --level: tempo"
"$cli" generate --rows 8 --columns 8 --level 6 >/dev/null 2>&1
[ $? -eq 2 ] || fallito "generate --level fuori limite"

# Pictures and booklets, where the program was built with Qt.
if "$cli" image --help >/dev/null 2>&1; then
    "$cli" image "$cartella/janko-0052.xml" "$tmp/a.png" --solution || fallito "image"
    [ "$(head -c4 "$tmp/a.png" | tail -c3)" = PNG ] || fallito "image: non PNG"
    "$cli" image "$cartella/janko-0052.xml" "$tmp/a.gif" 2>/dev/null; [ $? -eq 2 ] || fallito "image .gif"
    "$cli" generate --rows 6 --columns 6 --count 5 --seed 2 --out "$tmp/gb" \
        --booklet "$tmp/gb.pdf" >/dev/null 2>&1 || fallito "generate --booklet"
    "$cli" booklet --out "$tmp/b.pdf" --per-page 2 --title Prova "$tmp"/gb/*.xml || fallito "booklet"
    if command -v pdfinfo >/dev/null; then
        pdfinfo "$tmp/gb.pdf" | grep -q "^Pages: *3$" || fallito "generate --booklet: pagine"
        pdfinfo "$tmp/b.pdf" | grep -q "^Pages: *3$" || fallito "booklet: pagine"
    fi
fi

[ $falliti -eq 0 ] && echo "isolmar-cli: tutto bene"
exit $falliti
