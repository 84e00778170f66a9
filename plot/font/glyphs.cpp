// glyphs.cpp - the stroke shapes of the built-in font and the glyph index.
//
// The shapes are listed glyph by glyph in ascending glyph order; the packed
// stroke table and its index are built from the list at compile time.
// Coordinates are grid units (see font.h): Mv moves, Dr draws; Dmv is a move
// that starts a descender and Ddr a draw while it lasts, both given with the
// true height (-2..5), which the word stores 2 higher.
#include "plot/font/font.h"
#include "plot/font/shapes.h"
#include "plot/font/stroke_table.h"

namespace plotfont {
namespace {

constexpr int kShapes[] = {
    // ---- base set ---------------------------------------------------------
    G(33), Mv(3, 6), Dr(3, 2), Mv(3, 0), Dr(3, 1),                       // !
    G(34), Mv(2, 6), Dr(2, 4), Mv(4, 6), Dr(4, 4),                       // "
    G(35), Mv(2, 1), Dr(2, 5), Mv(4, 5), Dr(4, 1), Mv(0, 2), Dr(6, 2),   // #
           Mv(6, 4), Dr(0, 4),
    G(37), Mv(0, 0), Dr(6, 6), Mv(1, 6), Dr(0, 5), Dr(1, 4), Dr(2, 5),   // %
           Dr(1, 6), Mv(5, 2), Dr(4, 1), Dr(5, 0), Dr(6, 1), Dr(5, 2),
    G(38), Mv(6, 0), Dr(1, 5), Dr(2, 6), Dr(3, 5), Dr(0, 2), Dr(0, 1),   // &
           Dr(1, 0), Dr(3, 0), Dr(6, 3),
    G(39), Mv(3, 6), Dr(3, 4),                                           // '
    G(40), Mv(4, 6), Dr(2, 4), Dr(2, 2), Dr(4, 0),                       // (
    G(41), Mv(2, 6), Dr(4, 4), Dr(4, 2), Dr(2, 0),                       // )
    G(42), Mv(0, 0), Dr(0, 5), Dr(1, 6), Dr(3, 6), Dr(4, 5), Dr(4, 4),   // ß
           Dr(3, 3), Dr(5, 2), Dr(5, 1), Dr(4, 0), Dr(2, 0),
    G(43), Mv(3, 1), Dr(3, 5), Mv(1, 3), Dr(5, 3),                       // +
    G(44), Dmv(3, 1), Ddr(3, 0), Ddr(2, -1),                             // ,
    G(45), Mv(1, 3), Dr(5, 3),                                           // -
    G(46), Mv(3, 0), Dr(3, 1),                                           // .
    G(47), Mv(0, 0), Dr(6, 6),                                           // /
    G(48), Mv(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 5), Dr(4, 6), Dr(2, 6),   // 0
           Dr(1, 5), Dr(1, 1), Dr(2, 0),
    G(49), 0x0c, 0x66, 0x60, 0x18, 0x68,                                 // 1
    G(50), Mv(1, 5), Dr(2, 6), Dr(4, 6), Dr(5, 5), Dr(5, 4), Dr(1, 0),   // 2
           Dr(5, 0),
    G(51), Mv(1, 6), Dr(5, 6), Dr(3, 3), Dr(4, 3), Dr(5, 2), Dr(5, 1),   // 3
           Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(52), Mv(4, 0), Dr(4, 6), Dr(1, 2), Dr(5, 2),                       // 4
    G(53), Mv(5, 6), Dr(1, 6), Dr(1, 3), Dr(4, 3), Dr(5, 2), Dr(5, 1),   // 5
           Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(54), Mv(5, 5), Dr(4, 6), Dr(2, 6), Dr(1, 5), Dr(1, 1), Dr(2, 0),   // 6
           Dr(4, 0), Dr(5, 1), Dr(5, 2), Dr(4, 3), Dr(2, 3), Dr(1, 2),
    G(55), Mv(1, 6), Dr(5, 6), Dr(2, 0),                                 // 7
    G(56), Mv(2, 3), Dr(1, 4), Dr(1, 5), Dr(2, 6), Dr(4, 6), Dr(5, 5),   // 8
           Dr(5, 4), Dr(4, 3), Dr(2, 3), Dr(1, 2), Dr(1, 1), Dr(2, 0),
           Dr(4, 0), Dr(5, 1), Dr(5, 2), Dr(4, 3),
    G(57), Mv(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 5), Dr(4, 6),   // 9
           Dr(2, 6), Dr(1, 5), Dr(1, 4), Dr(2, 3), Dr(4, 3), Dr(5, 4),
    G(58), Mv(3, 3), Dr(3, 4), Mv(3, 0), Dr(3, 1),                       // :
    G(59), Mv(3, 3), Dr(3, 4), Dmv(3, 1), Ddr(3, 0), Ddr(2, -1),         // ;
    G(61), Mv(1, 2), Dr(5, 2), Mv(1, 4), Dr(5, 4),                       // =
    G(63), Mv(1, 5), Dr(2, 6), Dr(4, 6), Dr(5, 5), Dr(5, 4), Dr(3, 3),   // ?
           Dr(3, 2), Mv(3, 0), Dr(3, 1),
    G(64), 0x14, 0x66,                                                   // acute
    G(65), 0x00, 0x5e, 0x70, 0x0a, 0x6a, 0x6a,                           // A
    G(66), 0x20, 0x71, 0x72, 0x63, 0x43, 0x23, 0x74, 0x75, 0x66, 0x46,   // B
           0x40, 0x60,
    G(67), 0x35, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60, 0x71,               // C
    G(68), 0x20, 0x71, 0x75, 0x66, 0x46, 0x40, 0x60,                     // D
    G(69), 0x36, 0x46, 0x43, 0x6b, 0x43, 0x40, 0x70,                     // E
    G(70), 0x36, 0x46, 0x43, 0x6b, 0x43, 0x40,                           // F
    G(71), 0x35, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60, 0x71, 0x73, 0x5b,   // G
    G(72), 0x00, 0x46, 0x03, 0x73, 0x36, 0x70,                           // H
    G(73), 0x0e, 0x6e, 0x1e, 0x58, 0x08, 0x68,                           // I
    G(74), 0x01, 0x50, 0x60, 0x71, 0x76,                                 // J
    G(75), 0x00, 0x46, 0x36, 0x53, 0x43, 0x53, 0x53, 0x70,               // K
    G(76), 0x06, 0x40, 0x70, 0x71,                                       // L
    G(77), 0x00, 0x46, 0x5a, 0x76, 0x70,                                 // M
    G(78), 0x00, 0x46, 0x70, 0x76,                                       // N
    G(79), 0x20, 0x71, 0x75, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60,         // O
    G(80), 0x00, 0x46, 0x66, 0x75, 0x74, 0x63, 0x43,                     // P
    G(81), 0x20, 0x72, 0x75, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60, 0x22,   // Q
           0x70,
    G(82), 0x00, 0x46, 0x66, 0x75, 0x74, 0x63, 0x43, 0x63, 0x70, 0x70,   // R
    G(83), 0x01, 0x50, 0x60, 0x71, 0x72, 0x63, 0x53, 0x44, 0x45, 0x56,   // S
           0x66, 0x75,
    G(84), 0x18, 0x5e, 0x06, 0x76,                                       // T
    G(85), 0x06, 0x41, 0x50, 0x60, 0x71, 0x76,                           // U
    G(86), 0x06, 0x58, 0x76,                                             // V
    G(87), 0x06, 0x48, 0x5c, 0x68, 0x76,                                 // W
    G(88), 0x00, 0x76, 0x06, 0x70,                                       // X
    G(89), 0x06, 0x5b, 0x76, 0x1b, 0x58,                                 // Y
    G(90), 0x06, 0x76, 0x40, 0x70,                                       // Z
    G(91), Mv(0, 0), Dr(3, 5), Dr(6, 0), Mv(1, 2), Dr(5, 2),             // Ä
           Mv(2, 6), Dr(2, 7), Mv(4, 6), Dr(4, 7),
    G(92), Mv(2, 0), Dr(4, 0), Dr(6, 1), Dr(6, 4), Dr(4, 5), Dr(2, 5),   // Ö
           Dr(0, 4), Dr(0, 1), Dr(2, 0), Mv(2, 6), Dr(2, 7), Mv(4, 6),
           Dr(4, 7),
    G(93), Mv(0, 5), Dr(0, 1), Dr(2, 0), Dr(4, 0), Dr(6, 1), Dr(6, 5),   // Ü
           Mv(2, 6), Dr(2, 7), Mv(4, 6), Dr(4, 7),
    G(95), Dmv(0, -1), Ddr(6, -1),                                       // _
    G(96), Mv(2, 6), Dr(4, 4),                                           // grave
    G(97), Mv(2, 4), Dr(4, 4), Dr(5, 3), Dr(5, 0), Mv(5, 2), Dr(2, 2),   // a
           Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1),
    G(98), Mv(1, 6), Dr(1, 0), Mv(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1),   // b
           Dr(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3),
    G(99), Mv(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3), Dr(1, 1), Dr(2, 0),   // c
           Dr(4, 0), Dr(5, 1),
    G(100), Mv(5, 6), Dr(5, 0), Mv(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),  // d
            Dr(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3),
    G(101), Mv(1, 2), Dr(5, 2), Dr(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3),  // e
            Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1),
    G(102), Mv(5, 5), Dr(4, 6), Dr(3, 6), Dr(2, 5), Dr(2, 0), Mv(1, 4),  // f
            Dr(4, 4),
    G(103), Dmv(0, -1), Ddr(1, -2), Ddr(4, -2), Ddr(5, -1), Ddr(5, 4),   // g
            Dmv(5, 3), Ddr(4, 4), Ddr(2, 4), Ddr(1, 3), Ddr(1, 1),
            Ddr(2, 0), Ddr(4, 0), Ddr(5, 1),
    G(104), Mv(1, 6), Dr(1, 0), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3),  // h
            Dr(5, 0),
    G(105), Mv(3, 0), Dr(3, 4), Mv(3, 6), Dr(3, 7),                      // i
    G(106), Dmv(2, 4), Ddr(3, 4), Ddr(3, -1), Ddr(2, -2), Ddr(1, -2),    // j
            Mv(3, 6), Dr(3, 7),
    G(107), Mv(1, 6), Dr(1, 0), Mv(5, 4), Dr(1, 2), Mv(3, 3), Dr(5, 0),  // k
    G(108), Mv(2, 6), Dr(3, 6), Dr(3, 1), Dr(4, 0),                      // l
    G(109), Mv(0, 0), Dr(0, 4), Mv(0, 3), Dr(1, 4), Dr(2, 4), Dr(3, 3),  // m
            Dr(3, 0), Mv(3, 3), Dr(4, 4), Dr(5, 4), Dr(6, 3), Dr(6, 0),
    G(110), Mv(1, 0), Dr(1, 4), Mv(1, 3), Dr(2, 4), Dr(4, 4), Dr(5, 3),  // n
            Dr(5, 0),
    G(111), Mv(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 3), Dr(4, 4), Dr(2, 4),  // o
            Dr(1, 3), Dr(1, 1), Dr(2, 0),
    G(112), Dmv(1, -2), Ddr(1, 4), Dmv(1, 3), Ddr(2, 4), Ddr(4, 4),      // p
            Ddr(5, 3), Ddr(5, 1), Ddr(4, 0), Ddr(2, 0), Ddr(1, 1),
    G(113), Dmv(5, -2), Ddr(5, 4), Dmv(5, 3), Ddr(4, 4), Ddr(2, 4),      // q
            Ddr(1, 3), Ddr(1, 1), Ddr(2, 0), Ddr(4, 0), Ddr(5, 1),
    G(114), Mv(1, 0), Dr(1, 4), Mv(1, 2), Dr(3, 4), Dr(5, 4),            // r
    G(115), Mv(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3), Dr(2, 2), Dr(4, 2),  // s
            Dr(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(116), Mv(2, 6), Dr(2, 1), Dr(3, 0), Dr(4, 0), Dr(5, 1), Mv(1, 4),  // t
            Dr(4, 4),
    G(117), Mv(1, 4), Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1), Mv(5, 4),  // u
            Dr(5, 0),
    G(118), Mv(1, 4), Dr(3, 0), Dr(5, 4),                                // v
    G(119), Mv(0, 4), Dr(2, 0), Dr(3, 3), Dr(4, 0), Dr(6, 4),            // w
    G(120), Mv(1, 0), Dr(5, 4), Mv(1, 4), Dr(5, 0),                      // x
    G(121), Dmv(1, 4), Ddr(3, 0), Dmv(5, 4), Ddr(2, -2), Ddr(1, -2),     // y
    G(122), Mv(1, 4), Dr(5, 4), Dr(1, 0), Dr(5, 0),                      // z
    G(123), Mv(2, 4), Dr(4, 4), Dr(5, 3), Dr(5, 0), Mv(5, 2), Dr(2, 2),  // ä
            Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1), Mv(2, 6), Dr(2, 7),
            Mv(4, 6), Dr(4, 7),
    G(124), Mv(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 3), Dr(4, 4), Dr(2, 4),  // ö
            Dr(1, 3), Dr(1, 1), Dr(2, 0), Mv(2, 6), Dr(2, 7), Mv(4, 6),
            Dr(4, 7),
    G(125), Mv(1, 4), Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1), Mv(5, 4),  // ü
            Dr(5, 0), Mv(2, 6), Dr(2, 7), Mv(4, 6), Dr(4, 7),

    // ---- alternate set (prefix '^') -------------------------------------------
    G(289), Mv(3, 6), Dr(3, 4), Mv(3, 2), Dr(3, 0),                      // ^! broken bar
    G(290), Mv(2, 4), Dr(2, 5), Mv(4, 4), Dr(4, 5),                      // ^" diaeresis
    G(291), Mv(1, 2), Dr(5, 2), Mv(1, 4), Dr(5, 4), Mv(2, 0), Dr(4, 6),  // ^# not equal
    G(292), Mv(2, 6), Dr(4, 6), Dr(4, 4), Dr(2, 4), Dr(2, 6),            // ^$ degree
    G(293), Mv(1, 1), Dr(5, 5), Mv(1, 5), Dr(5, 1),                      // ^% times
    G(294), Mv(3, 3), Dr(4, 4), Dr(5, 4), Dr(6, 3), Dr(5, 2), Dr(4, 2),  // ^& infinity
            Dr(3, 3), Dr(2, 4), Dr(1, 4), Dr(0, 3), Dr(1, 2), Dr(2, 2),
            Dr(3, 3),
    G(295), Mv(1, 5), Dr(2, 6), Dr(4, 6), Dr(5, 5), Dr(5, 1), Dr(4, 0),  // ^' partial
            Dr(2, 0), Dr(1, 1), Dr(1, 2), Dr(2, 3), Dr(4, 3), Dr(5, 2),
    G(296), Mv(4, 6), Dr(2, 3), Dr(4, 0),                                // ^( left angle
    G(297), Mv(2, 6), Dr(4, 3), Dr(2, 0),                                // ^) right angle
    G(298), Mv(3, 1), Dr(3, 5), Mv(1, 4), Dr(5, 2), Mv(1, 2), Dr(5, 4),  // ^* asterisk
    G(299), Mv(3, 2), Dr(3, 6), Mv(1, 4), Dr(5, 4), Mv(1, 0), Dr(5, 0),  // ^+ plus-minus
    G(303), Mv(1, 3), Dr(5, 3), Mv(3, 5), Dr(3, 6), Mv(3, 0), Dr(3, 1),  // ^/ divide
    G(304), Mv(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 3), Dr(4, 4), Dr(2, 4),  // ^0 o-slash
            Dr(1, 3), Dr(1, 1), Dr(2, 0), Mv(1, 0), Dr(5, 4),
    G(309), Mv(0, 4), Dr(2, 4), Dr(3, 3), Dr(3, 1), Dr(2, 0), Dr(1, 0),  // ^5 ae
            Dr(0, 1), Dr(1, 2), Dr(6, 2), Dr(6, 3), Dr(5, 4), Dr(4, 4),
            Dr(3, 3), Mv(3, 1), Dr(4, 0), Dr(6, 0),
    G(310), Mv(5, 3), Dr(4, 4), Dr(2, 4), Dr(1, 3), Dr(1, 1), Dr(2, 0),  // ^6 c-cedilla
            Dr(4, 0), Dr(5, 1), Dmv(3, 0), Ddr(3, -1), Ddr(2, -2),
    G(312), Mv(3, 6), Dr(3, 5), Mv(3, 4), Dr(3, 0),                      // ^8 inverted !
    G(316), Mv(5, 5), Dr(1, 3), Dr(5, 1),                                // ^< less-than
    G(318), Mv(1, 5), Dr(5, 3), Dr(1, 1),                                // ^> greater-than
    G(320), Mv(4, 2), Dr(4, 4), Dr(2, 4), Dr(2, 2), Dr(5, 2), Dr(6, 3),  // ^@ at
            Dr(6, 5), Dr(5, 6), Dr(1, 6), Dr(0, 5), Dr(0, 1), Dr(1, 0),
            Dr(5, 0),
    G(321), Mv(0, 0), Dr(6, 0), Mv(3, 0), Dr(3, 6),                      // ^A perpendicular
    G(322), Mv(0, 3), Dr(6, 3), Mv(4, 5), Dr(6, 3), Dr(4, 1),            // ^B arrow
    G(323), 0x00, 0x76, 0x06, 0x70,                                      // ^C Chi
    G(324), Mv(0, 0), Dr(3, 6), Dr(6, 0), Dr(0, 0),                      // ^D Delta
    G(325), 0x36, 0x46, 0x43, 0x6b, 0x43, 0x40, 0x70,                    // ^E Epsilon
    G(326), Mv(3, 0), Dr(3, 6), Mv(2, 5), Dr(1, 5), Dr(0, 4), Dr(0, 2),  // ^F Phi
            Dr(1, 1), Dr(5, 1), Dr(6, 2), Dr(6, 4), Dr(5, 5), Dr(2, 5),
    G(327), Mv(0, 0), Dr(0, 6), Dr(6, 6), Dr(6, 5),                      // ^G Gamma
    G(328), 0x00, 0x46, 0x03, 0x73, 0x36, 0x70,                          // ^H Eta
    G(329), 0x0e, 0x6e, 0x1e, 0x58, 0x08, 0x68,                          // ^I Iota
    G(330), 0x20, 0x71, 0x75, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60,        // ^J Theta
            Mv(2, 3), Dr(4, 3),
    G(331), 0x00, 0x46, 0x36, 0x53, 0x43, 0x53, 0x53, 0x70,              // ^K Kappa
    G(332), Mv(0, 0), Dr(3, 6), Dr(6, 0),                                // ^L Lambda
    G(333), 0x00, 0x46, 0x5a, 0x76, 0x70,                                // ^M Mu
    G(334), 0x00, 0x46, 0x70, 0x76,                                      // ^N Nu
    G(335), 0x20, 0x71, 0x75, 0x66, 0x56, 0x45, 0x41, 0x50, 0x60,        // ^O Omicron
    G(336), Mv(0, 0), Dr(0, 6), Dr(6, 6), Dr(6, 0),                      // ^P Pi
    G(337), Mv(5, 5), Dr(4, 6), Dr(2, 6), Dr(1, 5), Dr(2, 4), Dr(4, 3),  // ^Q section
            Dr(5, 2), Dr(4, 1), Mv(2, 5), Dr(1, 4), Dr(2, 3), Dr(4, 2),
            Dr(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(338), 0x00, 0x46, 0x66, 0x75, 0x74, 0x63, 0x43,                    // ^R Rho
    G(339), Mv(6, 5), Dr(6, 6), Dr(0, 6), Dr(3, 3), Dr(0, 0), Dr(6, 0),  // ^S Sigma
            Dr(6, 1),
    G(340), 0x18, 0x5e, 0x06, 0x76,                                      // ^T Tau
    G(341), 0x06, 0x5b, 0x76, 0x1b, 0x58,                                // ^U Upsilon
    G(342), Mv(0, 6), Dr(6, 6), Dr(3, 0), Dr(0, 6),                      // ^V nabla
    G(343), Mv(0, 0), Dr(2, 0), Dr(2, 1), Dr(0, 3), Dr(0, 5), Dr(1, 6),  // ^W Omega
            Dr(5, 6), Dr(6, 5), Dr(6, 3), Dr(4, 1), Dr(4, 0), Dr(6, 0),
    G(344), Mv(0, 6), Dr(6, 6), Mv(1, 3), Dr(5, 3), Mv(0, 0), Dr(6, 0),  // ^X Xi
    G(345), Mv(0, 6), Dr(0, 4), Dr(2, 2), Dr(4, 2), Dr(6, 4), Dr(6, 6),  // ^Y Psi
            Mv(3, 6), Dr(3, 0),
    G(346), 0x06, 0x76, 0x40, 0x70,                                      // ^Z Zeta
    G(347), Mv(4, 6), Dr(2, 6), Dr(2, 0), Dr(4, 0),                      // ^[
    G(348), Mv(0, 6), Dr(6, 0),                                          // ^\ .
    G(349), Mv(2, 6), Dr(4, 6), Dr(4, 0), Dr(2, 0),                      // ^]
    G(350), 0x0c, 0x5e, 0x6c,                                            // ^^ circumflex
    G(351), Mv(0, 2), Dr(1, 3), Dr(3, 0), Dr(5, 6), Dr(6, 6),            // ^_ root
    G(352), 0x98, 0x5a,                                                  // ^` cedilla
    G(353), Mv(6, 4), Dr(5, 3), Dr(4, 1), Dr(3, 0), Dr(1, 0), Dr(0, 1),  // ^a alpha
            Dr(0, 3), Dr(1, 4), Dr(3, 4), Dr(4, 3), Dr(5, 1), Dr(6, 0),
    G(354), Dmv(1, -2), Ddr(1, 4), Mv(1, 4), Dr(1, 5), Dr(2, 6), Dr(4, 6),  // ^b beta
            Dr(5, 5), Dr(5, 4), Dr(4, 3), Dr(2, 3), Mv(4, 3), Dr(5, 2),
            Dr(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1),
    G(355), Dmv(0, 4), Ddr(1, 4), Ddr(5, -2), Ddr(6, -2), Dmv(5, 4),     // ^c chi
            Ddr(1, -2),
    G(356), Mv(5, 6), Dr(2, 6), Dr(1, 5), Dr(2, 4), Dr(4, 4), Dr(5, 3),  // ^d delta
            Dr(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1), Dr(1, 3), Dr(2, 4),
    G(357), Mv(5, 4), Dr(2, 4), Dr(1, 3), Dr(2, 2), Dr(4, 2), Mv(2, 2),  // ^e epsilon
            Dr(1, 1), Dr(2, 0), Dr(5, 0),
    G(358), Dmv(3, -2), Ddr(3, 5), Dmv(2, 4), Ddr(1, 4), Ddr(0, 3),      // ^f phi
            Ddr(0, 1), Ddr(1, 0), Ddr(5, 0), Ddr(6, 1), Ddr(6, 3),
            Ddr(5, 4), Ddr(4, 4),
    G(359), Dmv(0, 4), Ddr(1, 4), Ddr(3, 0), Ddr(2, -1), Ddr(3, -2),     // ^g gamma
            Ddr(4, -1), Ddr(3, 0), Ddr(5, 4),
    G(360), Dmv(1, 0), Ddr(1, 4), Dmv(1, 3), Ddr(2, 4), Ddr(4, 4),       // ^h eta
            Ddr(5, 3), Ddr(5, -2),
    G(361), Mv(3, 4), Dr(3, 1), Dr(4, 0), Dr(5, 0),                      // ^i iota
    G(362), Mv(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 5), Dr(4, 6), Dr(2, 6),  // ^j theta
            Dr(1, 5), Dr(1, 1), Dr(2, 0), Mv(1, 3), Dr(5, 3),
    G(363), Mv(1, 4), Dr(1, 0), Mv(5, 4), Dr(2, 2), Dr(5, 0),            // ^k kappa
    G(364), Mv(1, 6), Dr(2, 6), Dr(6, 0), Mv(4, 3), Dr(1, 0),            // ^l lambda
    G(365), Dmv(1, -2), Ddr(1, 4), Dmv(1, 1), Ddr(2, 0), Ddr(4, 0),      // ^m mu
            Ddr(5, 1), Dmv(5, 4), Ddr(5, 0),
    G(366), Mv(1, 4), Dr(3, 0), Dr(5, 3), Dr(5, 4),                      // ^n nu
    G(367), Mv(3, 4), Dr(4, 5), Dr(3, 6), Dr(2, 5), Dr(3, 4),            // ^o ring
    G(368), Mv(0, 3), Dr(1, 4), Dr(6, 4), Mv(2, 4), Dr(2, 0), Mv(5, 4),  // ^p pi
            Dr(5, 1), Dr(6, 0),
    G(369), Mv(1, 2), Dr(2, 1), Dr(4, 1), Dr(5, 2), Dr(4, 3), Dr(2, 3),  // ^q dollar
            Dr(1, 4), Dr(2, 5), Dr(4, 5), Dr(5, 4), Mv(3, 0), Dr(3, 6),
    G(370), Dmv(1, -2), Ddr(1, 3), Ddr(2, 4), Ddr(4, 4), Ddr(5, 3),      // ^r rho
            Ddr(5, 1), Ddr(4, 0), Ddr(2, 0), Ddr(1, 1),
    G(371), Mv(6, 4), Dr(2, 4), Dr(1, 3), Dr(1, 1), Dr(2, 0), Dr(4, 0),  // ^s sigma
            Dr(5, 1), Dr(5, 3), Dr(4, 4),
    G(372), Mv(1, 3), Dr(2, 4), Dr(5, 4), Mv(3, 4), Dr(3, 1), Dr(4, 0),  // ^t tau
    G(373), Mv(1, 4), Dr(1, 1), Dr(2, 0), Dr(4, 0), Dr(5, 1), Dr(5, 4),  // ^u upsilon
    G(374), Dmv(5, 4), Ddr(2, 4), Ddr(1, 3), Ddr(1, 2), Ddr(2, 1),       // ^v final sigma
            Ddr(4, 1), Ddr(5, 0), Ddr(4, -1), Ddr(3, -2),
    G(375), Mv(1, 4), Dr(0, 3), Dr(0, 1), Dr(1, 0), Dr(2, 0), Dr(3, 1),  // ^w omega
            Dr(3, 3), Mv(3, 1), Dr(4, 0), Dr(5, 0), Dr(6, 1), Dr(6, 3),
            Dr(5, 4),
    G(376), Mv(5, 6), Dr(2, 6), Dr(1, 5), Dr(2, 4), Dr(4, 4), Mv(2, 4),  // ^x xi
            Dr(1, 3), Dr(1, 1), Dr(2, 0), Dr(4, 0), Dmv(4, 0), Ddr(5, -1),
            Ddr(4, -2), Ddr(3, -2),
    G(377), Dmv(0, 4), Ddr(0, 2), Ddr(2, 0), Ddr(4, 0), Ddr(6, 2),       // ^y psi
            Ddr(6, 4), Dmv(3, 5), Ddr(3, -2),
    G(378), Mv(2, 6), Dr(5, 6), Dr(1, 2), Dr(1, 1), Dr(2, 0), Dr(4, 0),  // ^z zeta
            Dmv(4, 0), Ddr(5, -1), Ddr(4, -2),
    G(379), Mv(4, 6), Dr(3, 6), Dr(2, 5), Dr(2, 4), Dr(1, 3), Dr(2, 2),  // ^{
            Dr(2, 1), Dr(3, 0), Dr(4, 0),
    G(380), Dmv(3, 5), Ddr(3, -2), Mv(3, 5), Dr(3, 7),                   // ^|
    G(381), Mv(2, 6), Dr(3, 6), Dr(4, 5), Dr(4, 4), Dr(5, 3), Dr(4, 2),  // ^}
            Dr(4, 1), Dr(3, 0), Dr(2, 0),
    G(382), Mv(1, 4), Dr(2, 5), Dr(4, 4), Dr(5, 5),                      // ^~ tilde
    // ---- reached only through the character map -----------------------------
    G(384), Mv(3, 0), Dr(3, 4),                                          // dotless i
    G(385), Mv(5, 1), Dr(4, 0), Dr(2, 0), Dr(1, 1), Dr(1, 2), Dr(3, 3),  // inverted ?
           Dr(3, 4), Mv(3, 6), Dr(3, 5),
};

constexpr auto kBuilt = BuildStrokeFont<kStrokeWords, kGlyphCount>(kShapes, 0);

}  // namespace

constinit const std::array<int16_t, kStrokeWords> kStrokeTable = kBuilt.strokes;
constinit const std::array<int16_t, kGlyphCount + 1> kGlyphIndex = kBuilt.index;

}  // namespace plotfont
