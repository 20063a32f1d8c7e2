# Reads the identities out of norvane.idl, so that nothing else spells them: writes the portable
# header norvane_ids.h (GUIDs, ProgID, DISPIDs and a table of them for the check against the type
# library), or fills them into a manifest template (@CLSID@, @PROGID@, @LIBID@).
#   perl norvane_ids.pl norvane.idl header OUT.h
#   perl norvane_ids.pl norvane.idl manifest TEMPLATE OUT
use strict;
use warnings;

my ($idl, $mode, @files) = @ARGV;
open(my $in, '<', $idl) or die "$idl: $!";
my $text = do { local $/; <$in> };
close($in);
$text =~ s{//[^\n]*}{}g;

# Each library, interface, dispinterface and coclass with its attributes and its members.
my @types;
while ($text =~ /\[([^\]]*)\]\s*(library|interface|dispinterface|coclass)\s+(\w+)/g) {
    my ($attributes, $kind, $name) = ($1, $2, $3);
    # A coclass's "[default] interface X;" names a type declared elsewhere.
    my ($uuid) = $attributes =~ /uuid\(([0-9A-Fa-f-]+)\)/ or next;
    my ($help) = $attributes =~ /helpstring\("([^"]*)"\)/;
    push @types, { kind => $kind, name => $name, uuid => uc $uuid, help => $help // '',
                   control => $attributes =~ /\bcontrol\b/ ? 1 : 0, start => pos($text),
                   members => [] };
}
for my $i (0 .. $#types) {
    my $end = $i < $#types ? $types[$i + 1]{start} : length $text;
    my $body = substr($text, $types[$i]{start}, $end - $types[$i]{start});
    my %seen;
    while ($body =~ /\[\s*id\(([^)]+)\)[^\]]*\]\s*(?:HRESULT|void)\s+(\w+)\s*\(/g) {
        my ($number, $member) = ($1, $2);
        my $id = $number =~ /^0x/i ? hex $number : $number;
        push @{ $types[$i]{members} }, [$member, $id] unless $seen{$member}++;
    }
}
my ($library) = grep { $_->{kind} eq 'library' } @types or die "no library in $idl\n";
my ($control) = grep { $_->{kind} eq 'coclass' && $_->{control} } @types
    or die "no control coclass in $idl\n";
my $progId = "$library->{name}.$control->{name}";

sub constantName {
    my ($type) = @_;
    (my $bare = $type->{name}) =~ s/^_+//;
    $bare = ucfirst $bare;
    return 'kLibId' if $type->{kind} eq 'library';
    return "kClsid$bare" if $type->{kind} eq 'coclass';
    return "kDiid${bare}Events" if $type->{kind} eq 'dispinterface';
    return "kIid$bare";
}

sub guid {
    my ($u) = @_;
    my @p = split /-/, $u;
    my @bytes = map { "0x$_" } (substr($p[3], 0, 2), substr($p[3], 2, 2), $p[4] =~ /(..)/g);
    return "{0x$p[0], 0x$p[1], 0x$p[2], {" . join(', ', @bytes) . '}}';
}

if ($mode eq 'manifest') {
    my ($template, $out) = @files;
    open(my $t, '<', $template) or die "$template: $!";
    my $manifest = do { local $/; <$t> };
    close($t);
    $manifest =~ s/\@CLSID\@/{$control->{uuid}}/g;
    $manifest =~ s/\@LIBID\@/{$library->{uuid}}/g;
    $manifest =~ s/\@PROGID\@/$progId/g;
    die "$template: unknown placeholder $1\n" if $manifest =~ /(\@\w+\@)/;
    open(my $w, '>', $out) or die "$out: $!";
    print $w $manifest;
    close($w) or die "$out: $!";
    exit 0;
}
die "usage: $0 IDL header OUT | $0 IDL manifest TEMPLATE OUT\n" unless $mode eq 'header';

my $h = "// Generated from norvane.idl by norvane_ids.pl: the identities hosts bind to (no windows.h).\n";
$h .= "#pragma once\n\n#include <cstdint>\n\nnamespace norvane {\n\n";
$h .= "// Same memory layout as the Windows GUID, so a host can memcpy it into a GUID.\n";
$h .= "struct Guid {\n    std::uint32_t data1;\n    std::uint16_t data2;\n    std::uint16_t data3;\n";
$h .= "    std::uint8_t data4[8];\n};\n\n";
for my $type (@types) {
    $h .= "inline constexpr Guid " . constantName($type) . guid($type->{uuid}) . ";\n";
}
$h .= "\n// Text forms, as registry keys and manifests spell them.\n";
$h .= "inline constexpr char kLibIdText[] = \"{$library->{uuid}}\";\n";
$h .= "inline constexpr char " . constantName($control) . "Text[] = \"{$control->{uuid}}\";\n";
$h .= "inline constexpr char kProgId[] = \"$progId\";\n";
$h .= "inline constexpr char kLibraryName[] = \"$library->{name}\";\n";
$h .= "inline constexpr char kLibraryHelp[] = \"$library->{help}\";\n";

my %namespaces = (interface => 'dispid', dispinterface => 'eventid');
for my $type (grep { @{ $_->{members} } } @types) {
    my $ns = $namespaces{ $type->{kind} } or next;
    $h .= "\n// Dispatch numbers of $type->{name}.\nnamespace $ns {\n";
    $h .= sprintf("inline constexpr std::int32_t %s = 0x%08X;\n", @$_) for @{ $type->{members} };
    $h .= "} // namespace $ns\n";
}

$h .= "\n// Everything above by the name the type library gives it.\n";
$h .= "struct NamedGuid {\n    const char* name;\n    Guid guid;\n};\n";
$h .= "inline constexpr NamedGuid kTypes[] = {\n";
$h .= "    {\"$_->{name}\", " . constantName($_) . "},\n" for grep { $_->{kind} ne 'library' } @types;
$h .= "};\n";
$h .= "struct NamedMember {\n    const char* type;\n    const char* name;\n    std::int32_t id;\n};\n";
$h .= "inline constexpr NamedMember kMembers[] = {\n";
for my $type (@types) {
    $h .= sprintf("    {\"%s\", \"%s\", 0x%08X},\n", $type->{name}, @$_) for @{ $type->{members} };
}
$h .= "};\n\n} // namespace norvane\n";

my ($out) = @files;
open(my $w, '>', $out) or die "$out: $!";
print $w $h;
close($w) or die "$out: $!";
