#include "app/HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/AboutBox.h"

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner, Qt::Window) {
  setWindowTitle(QStringLiteral("Swish Cam Help"));
  auto* text = new QTextBrowser(this);
  text->setHtml(helpText());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_about = buttons->addButton(QStringLiteral("About Swish Cam..."), QDialogButtonBox::ActionRole);
  connect(m_about, &QPushButton::clicked, this, [this] { showAboutBox(this); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(520, 560);
}

QString HelpWindow::helpText() {
  return QStringLiteral(R"(
<h2>Swish Cam</h2>
<p>Basketball for two, played with your own moves in front of the webcam.</p>

<h3>How to play</h3>
<ul>
<li>Your camera picture is shown at the bottom of the field. Stand so that you see
yourself in it.</li>
<li>When the ball flies over your picture, sweep a hand through it: the movement strikes
the ball away from your hand. A fast, wide sweep hits harder.</li>
<li>Player 1 plays on the left and shoots at the <b>right</b> basket; player 2 plays on the
right and shoots at the <b>left</b> basket.</li>
<li>A ball that drops through a ring from above scores <b>2 points</b>, or <b>3 points</b>
when it was last struck in the far half of the field.</li>
<li>Name a player <i>Computer</i> to play against the computer: it does not touch the ball
but is given 2 points at an interval that depends on its skill.</li>
<li>A game lasts a set number of minutes. Then the winner gets a gold medal (a draw gives
<i>Friendship</i>), both results go into the top ten, and a new game starts by itself.
Press any key or click to close the medal.</li>
</ul>

<h3>Where to click</h3>
<p>Over the places below the pointer turns into a small ball. Either mouse button works.</p>
<ul>
<li><b>The camera picture</b>: video settings: choose the camera, switch mirroring, and open
the camera's own settings.</li>
<li><b>The score box</b>, or <b>the sides of the field above the score box's lower edge</b>:
players and timings: names, the computer's skill, game speed, game length and the top ten.
OK starts a new game.</li>
<li><b>The sides of the field below the score box</b>: environment: ball size, basket size,
ring height, gravitation and the background pattern. The running game goes on.</li>
</ul>

<h3>Keys and window</h3>
<ul>
<li><b>F1</b> shows this help, from any window of the game.</li>
<li><b>F11</b> switches full screen on and off: the field is shown as large as the screen
allows. Clicks work there as in the window.</li>
<li><b>M</b> switches the sound off and on.</li>
<li><b>S</b> saves the last 10 seconds of play with their sounds as a video (MP4) in the
folder <i>Swish Cam</i> of your videos folder, named by the date and time. A line on the
field says where it went.</li>
<li><b>F2</b> shows a line with the camera's frames per second, the time each frame takes,
the delay from camera to screen, the frames dropped and the frames the clips left out.</li>
<li><b>F3</b> shows the movement the game sees over your picture: blue is too little to
strike, orange and yellow strike the ball. A swing that stays blue needs more light or a
faster, wider move.</li>
<li><b>Esc</b> leaves full screen; in a window it ends the program.</li>
<li>After you resize the window, the court is fitted to it as soon as you move the mouse
over the window; the score and the game time run on.</li>
<li>Settings and the top ten are kept in the file <i>Swishcam.prm</i> beside the program,
or in <i>~/.config/swishcam/</i> for an installed game, and saved when the program ends.
Full screen, sound and the F2 and F3 choices are kept in
<i>~/.config/swishcam/swishcam.ini</i>. There, <i>everyBasket=true</i> under
<i>[clips]</i> saves a clip of every basket by itself: the 8 seconds before it and the 2
seconds after.</li>
</ul>
)");
}
