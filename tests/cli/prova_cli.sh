#!/usr/bin/env bash
# End-to-end test of isolmar-cli: published puzzles solved to their published solution,
# conversion round trips, links, generation, rating, pictures, and the exit codes of bad input.
set -u
cli=$1
cartella=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falliti=0
fallito() { echo "FALLITO: $*"; falliti=$((falliti + 1)); }
# esito CODICE TESTO NOME COMANDO...: COMANDO exits with CODICE and TESTO (if any) is in its output
# or its errors, kept in $tmp/out and $tmp/err.
esito() {
    local codice=$1 testo=$2 nome=$3
    shift 3
    "$@" > "$tmp/out" 2> "$tmp/err"
    local s=$?
    [ $s -eq "$codice" ] && { [ -z "$testo" ] || cat "$tmp/out" "$tmp/err" | grep -q -- "$testo"; } ||
        fallito "$nome (uscita $s)"
}
# unici N FILE...: the N files each have one solution.
unici() {
    local n=$1
    shift
    [ "$("$cli" solve --count 2 "$@" | grep -c '^soluzioni: 1$')" -eq "$n" ]
}

# Two published puzzles in both forms, one with a clue of 8 or 9 (the solver's own tests take
# every published puzzle).
for nome in janko-0052 janko-0320; do
    txt=$cartella/$nome.txt
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

# Conversion: XML -> text -> XML, and .pzpr there and back; a puzzle without a known solution
# stays without one through text -> XML -> text.
"$cli" convert "$cartella/janko-0052.xml" "$tmp/a.txt" && "$cli" convert "$tmp/a.txt" "$tmp/b.xml" ||
    fallito "convert xml->txt->xml"
esito 0 '"solutions":1' "json" "$cli" solve --json "$tmp/b.xml"
"$cli" convert "$cartella/janko-0052.xml" "$tmp/a.pzpr" && "$cli" convert "$tmp/a.pzpr" "$tmp/c.xml" &&
    [ "$("$cli" url "$tmp/c.xml")" = "$("$cli" url "$cartella/janko-0052.xml")" ] || fallito "convert .pzpr"
{ head -n1 "$cartella/janko-0052.txt" | sed 's/^[^,]*//'; tail -n +2 "$cartella/janko-0052.txt"; } \
    > "$tmp/senza.txt"
"$cli" convert "$tmp/senza.txt" "$tmp/senza.xml" && "$cli" convert "$tmp/senza.xml" "$tmp/senza2.txt" &&
    [ "$(head -c1 "$tmp/senza2.txt")" = "," ] || fallito "convert: una soluzione inventata"

# Links: the public encoder's sample link back from its file, a link solved in place of a file.
campione="https://puzz.link/p?nurikabe/5/5/g5k2o1k3g"
[ "$("$cli" url "$cartella/puzzlink-5x5-g5k2o1k3g.xml")" = "$campione" ] || fallito "url"
esito 0 "^soluzioni: 1$" "solve di un link" "$cli" solve --count=2 "$campione"

# A puzzle larger than the board's fixed tables (50 x 50, 226 islands, clues up to 70) converts
# to the published files byte for byte, through pzprv3 and back, and to its link and back.
oltre="$cartella/../oltre/janko-0690"
"$cli" convert "$oltre.xml" "$tmp/o.txt" && cmp -s "$tmp/o.txt" "$oltre.txt" &&
    "$cli" convert "$oltre.txt" "$tmp/o.xml" && cmp -s "$tmp/o.xml" "$oltre.xml" &&
    "$cli" convert "$oltre.xml" "$tmp/o.pzpr" && "$cli" convert "$tmp/o.pzpr" "$tmp/o2.xml" &&
    link=$("$cli" url "$oltre.txt") && [ "$("$cli" url "$tmp/o2.xml")" = "$link" ] &&
    [ "$("$cli" url "$link")" = "$link" ] || fallito "convert e url oltre le tabelle"
# A clue of two digits: the SAT engine solves it, and every cell of the board is as wide.
esito 0 " . 10  #  #  8  #  2  .  #  3" "solve oltre le forme" "$cli" solve "$cartella/../oltre/janko-0064.txt"
esito 2 "configurazioni possibili" "solve --engine shapes oltre le forme" \
    "$cli" solve --engine shapes "$cartella/../oltre/janko-0064.txt"

# Bad input: exit 2 with the reason, nothing written; a time limit: exit 3.
printf 'non è uno schema\n' > "$tmp/x.txt"
head -c 2000000 /dev/zero > "$tmp/grande.xml"
: > "$tmp/vuoto.ini"
printf 'DIR=x\n' > "$tmp/senza.ini"
printf '<REGOLA>\nROW=300\n' > "$tmp/mie.ini"
printf '<REGOLA>\nDIR=%s\nROW=6\nCOL=6\nSCHEMI=2\nISOLAMAX=3\nMODOFILE=TXT\n' "$tmp/r" > "$tmp/regole.ini"
esito 2 "File inesistente o dati errati" "input non valido" "$cli" solve "$tmp/x.txt"
esito 2 "troppo grande" "file troppo grande" "$cli" solve "$tmp/grande.xml"
esito 2 "numero 10 non ammesso" "link non valido" "$cli" solve "https://puzz.link/p?nurikabe/2/1/a1"
esito 2 "" "--count fuori limite" "$cli" solve --count 99 "$tmp/b.xml"
esito 2 "" "convert di un input non valido" "$cli" convert "$tmp/x.txt" "$tmp/y.xml"
[ ! -e "$tmp/y.xml" ] || fallito "convert di un input non valido: file scritto"
esito 2 "" "explain: input non valido" "$cli" explain "$tmp/x.txt"
esito 2 "--rows 60 (da 2 a 50)" "generate fuori limite" "$cli" generate --rows 60 --columns 5
esito 2 "2 x 2 con una sola soluzione" "generate 2x2" timeout 60 "$cli" generate --rows 2 --columns 2 --out "$tmp/g22"
esito 2 "" "generate --level fuori limite" "$cli" generate --rows 8 --columns 8 --level 6
esito 2 "rot2 o mirror" "generate --symmetry" "$cli" generate --rows 7 --columns 7 --symmetry x
esito 2 "numero dispari di colonne" "generate mirror pari" "$cli" generate --rows 7 --columns 8 --symmetry mirror
esito 2 "--min-largest 5 (da 0 a 4)" "generate --min-largest" "$cli" generate --rows 7 --columns 7 --min-largest 5
esito 2 "" "generate --rules con --rows" "$cli" generate --rules "$tmp/regole.ini" --rows 5
for caso in "$tmp:cartella" "$tmp/vuoto.ini:vuoto" "$tmp/senza.ini:nessuna regola" \
            "$tmp/mie.ini:mie.ini, riga 2"; do
    esito 2 "${caso#*:}" "generate --rules ${caso#*:}" "$cli" generate --rules "${caso%%:*}"
done
# Refusals that name their real reason; repeated options take the last value.
mkfifo "$tmp/fifo.xml"
mkdir -p "$tmp/piena/puzzle-0001.xml"
printf '\xEF\xBB\xBF<REGOLA>\nROW = 5\n' > "$tmp/bom.ini"
for caso in "la cartella non esiste|convert $cartella/janko-0052.xml $tmp/manca/a.xml" \
            "non è un file ordinario|convert $cartella/janko-0052.xml $tmp/fifo.xml" \
            "una parte del percorso non è una cartella|generate --rows 5 --columns 5 --out /dev/null/g" \
            "Generazione fermata|generate --rows 5 --columns 5 --count 3 --seed 1 --out $tmp/piena" \
            "Manca il valore di --rules|generate --rules --rows 5" \
            "bom.ini, riga 2: \"ROW \" non è una chiave|generate --rules $tmp/bom.ini" \
            "booklet vuole un file .pdf|generate --rows 5 --columns 5 --booklet $tmp/l.png"; do
    esito 2 "${caso%%|*}" "${caso%%|*}" "$cli" ${caso#*|}
done
[ ! -s "$tmp/out" ] && [ ! -e "$tmp/l.png" ] && [ ! -e "$tmp/piena/puzzle-0002.xml" ] ||
    fallito "rifiuti: qualcosa scritto"
esito 0 "^soluzioni: 1$" "opzioni ripetute" "$cli" solve --count 1 --count 2 "$cartella/janko-0052.xml"
esito 3 "Livello 3 non raggiunto" "generate --level: tempo" \
    "$cli" generate --rows 4 --columns 4 --level 3 --max-seconds 1 --out "$tmp/l4"
# The time limit stops a search that takes far longer than a second, "interrupted" in JSON; the
# other files of the same run are still solved. The board is janko-0962 twice side by side, the
# right copy with its clue at (7, 10) turned into a 5: no solution, and a long search to prove it.
cat >"$tmp/lenta.pzpr" <<'FINE'
pzprv3
nurikabe
10
21
. . . . . . 5 . . . . . . . . . . 5 . . . 
. 4 . . . . . . 4 . . . 4 . . . . . . 4 . 
. . . . . . . . . . . . . . . . . . . . . 
5 . . . 5 . . . . . . 5 . . . 5 . . . . . 
. . . . . . 4 . . . . . . . . . . 4 . . . 
. . . 5 . . . . . . . . . . 5 . . . . . . 
. . . . . 5 . . . 4 . . . . . . 5 . . . 5 
. . . . . . . . . . . . . . . . . . . . . 
. 5 . . . . . . 5 . . . 5 . . . . . . 5 . 
. . . 4 . . . . . . . . . . 4 . . . . . . 
FINE
esito 3 "Ricerca interrotta" "--max-seconds" \
    "$cli" solve --max-seconds 1 --json "$tmp/lenta.pzpr" "$cartella/janko-0052.xml"
grep -q '"interrupted":true' "$tmp/out" && grep -q '"solutions":1,.*"interrupted":false' "$tmp/out" ||
    fallito "--max-seconds: json"

# Batch generation: reproducible with a seed, the same with two jobs, every puzzle unique.
esito 0 "" "generate" "$cli" generate --rows 7 --columns 7 --count 12 --seed 5 --out "$tmp/g1"
esito 0 "" "generate --jobs 2" "$cli" generate --rows 7 --columns 7 --count 12 --seed 5 \
    --out "$tmp/g2" --jobs 2 --format xml --json
[ "$(grep -c '"islands":' "$tmp/out")" -eq 12 ] || fallito "generate --json"
diff -r "$tmp/g1" "$tmp/g2" >/dev/null || fallito "generate non riproducibile"
unici 12 "$tmp"/g1/*.xml || fallito "generati non unici"
esito 0 "" "generate --symmetry --minimal" "$cli" generate --rows 7 --columns 9 --count 3 --seed 5 \
    --symmetry mirror --minimal --min-largest 4 --out "$tmp/gs"
unici 3 "$tmp"/gs/*.xml || fallito "generate --symmetry --minimal: non unici"
esito 0 "" "generate --rules" "$cli" generate --rules "$tmp/regole.ini"
[ "$(ls "$tmp"/r/*.txt | wc -l)" -eq 2 ] || fallito "generate --rules: file"
esito 0 "" "generate --jobs 5000" "$cli" generate --rows 5 --columns 5 --count 2 --jobs 5000 --seed 1 --out "$tmp/gj"
# At a level: every kept puzzle rates exactly L and is unique; 1 and 2 jobs agree.
for L in 1 2; do
    for j in 1 2; do
        esito 0 "livello $L candidati [1-9]" "generate --level $L --jobs $j" "$cli" generate \
            --rows 8 --columns 8 --count 3 --seed 11 --level $L --jobs $j --out "$tmp/l$L-$j"
    done
    diff -r "$tmp/l$L-1" "$tmp/l$L-2" >/dev/null || fallito "generate --level $L non riproducibile"
    [ "$("$cli" rate --full "$tmp/l$L-1"/*.xml | grep -c "^livello: $L$")" -eq 3 ] ||
        fallito "generate --level $L: livello"
    unici 3 "$tmp/l$L-1"/*.xml || fallito "generate --level $L: non unici"
done

# A series split by index over two runs gives the files of one run, at a level too.
for livello in "" "--level 1"; do
    g() { "$cli" generate --rows 7 --columns 7 --seed 9 $livello "$@" >/dev/null; }
    rm -rf "$tmp/u" "$tmp/d"
    { g --count 3 --out "$tmp/u" && g --count 1 --out "$tmp/d" &&
        g --count 2 --first-index 2 --jobs 2 --out "$tmp/d" && diff -r "$tmp/u" "$tmp/d" >/dev/null; } ||
        fallito "generate --first-index $livello"
done
esito 2 "--first-index 0" "--first-index fuori limite" "$cli" generate --rows 5 --columns 5 --first-index 0

# Rating and explanation: levels, exit statuses, the steps in JSON.
esito 0 '"level":4,"full":true,"complete":true' "rate --full" "$cli" rate --full --json "$cartella/janko-0469.xml"
esito 1 "livello: 3 o superiore" "rate: 3 o superiore" "$cli" rate "$cartella/janko-0469.xml"
esito 0 '"steps":\[{"code":"NRG"' "explain --json" "$cli" explain --json "$cartella/janko-0107.xml"

# Only a puzzle with one solution is rated, explained or hinted: janko-0052 without its clue at
# (1,3) has several, with a clue beside the 5 at (1,1) none.
"$cli" convert "$cartella/janko-0052.xml" "$tmp/h.pzpr"
sed '5s/^\(. . \)1/\1./' "$tmp/h.pzpr" >"$tmp/multi.pzpr"
sed '5s/^5 \./5 1/' "$tmp/h.pzpr" >"$tmp/nessuna.pzpr"
for k in rate explain hint; do
    esito 3 "non ha una soluzione unica" "$k: piu' soluzioni" "$cli" $k "$tmp/multi.pzpr"
    esito 3 "non ammette soluzioni" "$k: nessuna soluzione" "$cli" $k "$tmp/nessuna.pzpr"
done
esito 3 '"solutions":2,"level":null' "rate --json: piu' soluzioni" "$cli" rate --json "$tmp/multi.pzpr"
esito 0 '"kind":"step","code":"NRG","level":0,"island":null,"cells":\[\[1,2,"#"\]\]' "hint --json" \
    "$cli" hint --json "$cartella/janko-0052.xml"
# On every published puzzle: a hint from the clues; an island planted on the first wall cell of
# the solution is the hint's one error, the rating stays the clean puzzle's, explain sets it aside.
for x in "$cartella"/*.xml; do
    n=$(basename "$x" .xml)
    sol=$(sed -n 's#.*<SOLUTION>\([0-9]*\)</SOLUTION>.*#\1#p' "$x")
    pos=$(sed -n 's#.*<POSITION>\([0-9]*\)</POSITION>.*#\1#p' "$x")
    col=$(sed -n 's#.*<NURIKABE rows="[0-9]*" columns="\([0-9]*\)".*#\1#p' "$x")
    i=$(expr index "$sol" 0)
    r=$(((i - 1) / col + 1)) c=$(((i - 1) % col + 1))
    sed "s#<POSITION>$pos#<POSITION>${pos:0:i-1}1${pos:i}#" "$x" >"$tmp/errore.xml"
    esito 0 '"kind":"step"' "hint $n" "$cli" hint --json "$x"
    esito 0 "\"kind\":\"error\",\"cells\":\[\[$r,$c\]\]" "hint errore $n" "$cli" hint --json "$tmp/errore.xml"
    [ "$("$cli" rate --json "$x" | grep -o '"level":[0-9]*')" = \
      "$("$cli" rate --json "$tmp/errore.xml" | grep -o '"level":[0-9]*')" ] || fallito "rate errore $n"
done
esito 0 "\"errors\":\\[\\[$r,$c\\]\\]" "explain errore" "$cli" explain --json "$tmp/errore.xml"

# check: every published puzzle's clues have one solution; one clue taken away leaves two
# solutions and the cells where they differ; clues that can go; a stop; bad input wins.
esito 0 "" "check" "$cli" check "$cartella"/*.xml
[ "$(grep -c '^soluzioni: 1$' "$tmp/out")" -eq "$(ls "$cartella"/*.xml | wc -l)" ] || fallito "check: non unici"
esito 0 '"solutions":1,"differing":\[\],"level":4' "check --json" "$cli" check --json "$cartella/janko-0469.xml"
"$cli" convert "$cartella/janko-0052.xml" "$tmp/tolto.pzpr" && sed -i '5s/^5 \. 1/5 . ./' "$tmp/tolto.pzpr"
esito 1 "^diverse: r[0-9]*c[0-9]* r" "check senza un indizio" "$cli" check "$tmp/tolto.pzpr"
esito 1 '"solutions":2,"differing":\[\[[0-9]*,[0-9]*\],' "check --json senza un indizio" \
    "$cli" check --json "$tmp/tolto.pzpr"
esito 1 "^proposta: Indizio 3 in riga 4, colonna 5 (al posto di riga 4, colonna 4)$" \
    "check --suggest" "$cli" check --suggest "$tmp/tolto.pzpr"
esito 1 '"suggestion":{"row":4,"column":5,"number":3,"replaces":\[4,4\]}' "check --suggest --json" \
    "$cli" check --suggest --json "$tmp/tolto.pzpr"
esito 0 "^rimovibili: 1@r4c3$" "check --minimal" "$cli" check --minimal "$cartella/puzzlink-5x5-g5k2o1k3g.xml"
esito 1 '"interrupted":true' "check --max-seconds" "$cli" check --minimal --max-seconds 1 --json \
    "$cartella/janko-0213.xml"
echo rotto > "$tmp/rotto.txt"
esito 2 "rotto.txt" "check di un file rotto" "$cli" check "$tmp/tolto.pzpr" "$tmp/rotto.txt"
esito 2 "" "check --max-seconds 0" "$cli" check --max-seconds 0 "$cartella/janko-0052.xml"

# --version, --help and every command's help.
esito 0 "^isolmar-cli [0-9]" "--version" "$cli" --version
esito 0 "generate" "--help" "$cli" --help
for c in solve convert url generate rate explain hint check image booklet; do
    esito 0 "^Uso: isolmar-cli $c" "$c --help" "$cli" $c --help
done

# Pictures and booklets, where the program was built with Qt.
if "$cli" image --help >/dev/null 2>&1; then
    esito 0 "" "image" "$cli" image "$cartella/janko-0052.xml" "$tmp/a.png" --solution
    [ "$(head -c4 "$tmp/a.png" | tail -c3)" = PNG ] || fallito "image: non PNG"
    esito 2 "" "image .gif" "$cli" image "$cartella/janko-0052.xml" "$tmp/a.gif"
    esito 0 "" "generate --booklet" "$cli" generate --rows 6 --columns 6 --count 5 --seed 2 \
        --out "$tmp/gb" --booklet "$tmp/gb.pdf"
    esito 0 "" "booklet" "$cli" booklet --out "$tmp/b.pdf" --per-page 2 --title Prova "$tmp"/gb/*.xml
    for pdf in gb b; do
        ! command -v pdfinfo >/dev/null || pdfinfo "$tmp/$pdf.pdf" | grep -q "^Pages: *3$" ||
            fallito "$pdf.pdf: pagine"
    done
    # Alone in a folder, and with no drawing program installed, the commands that draw say so.
    if [ ! -e /usr/local/bin/isolmar-immagini ] && [ ! -e /usr/bin/isolmar-immagini ]; then
        mkdir "$tmp/solo" && cp "$cli" "$tmp/solo/isolmar-cli"
        for c in "image $cartella/janko-0052.xml $tmp/solo/a.png" "booklet --out $tmp/solo/b.pdf $tmp/b.xml" \
                 "generate --rows 5 --columns 5 --out $tmp/solo --booklet $tmp/solo/g.pdf"; do
            esito 2 "non si avvia isolmar-immagini" "${c%% *} senza isolmar-immagini" "$tmp/solo/isolmar-cli" $c
        done
        [ "$(ls "$tmp/solo")" = isolmar-cli ] || fallito "senza isolmar-immagini: file scritti"
    fi
fi
# Every process of isolmar-cli would pay for loading Qt: only isolmar-immagini links it.
! command -v readelf >/dev/null || ! readelf -d "$cli" | grep NEEDED | grep -qi 'libQt' ||
    fallito "isolmar-cli carica Qt"

[ $falliti -eq 0 ] && echo "isolmar-cli: tutto bene"
exit $falliti
